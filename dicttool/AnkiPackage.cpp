// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/AnkiPackage.h"

#include "dicttool/BadInput.h"

#include <zip.h>
#include <zstd.h>

#include <memory>

namespace anki {

namespace {

// A database larger than this is no deck of words but a damaged or hostile archive.
constexpr qint64 MaxCollectionSize = qint64(1) << 30;

[[noreturn]] void damaged(const QString& problem) {
    throw BadInput(0, QStringLiteral("the Anki package is damaged: %1").arg(problem));
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
struct DecompressorFreer {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

QByteArray unpacked(zip_t* archive, zip_uint64_t index, const char* name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        damaged(
            QStringLiteral("%1: %2").arg(QLatin1StringView(name), QString::fromUtf8(zip_strerror(archive))));
    if (stat.size > zip_uint64_t(MaxCollectionSize))
        damaged(QStringLiteral("%1 is larger than 1 GiB").arg(QLatin1StringView(name)));
    const std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive, index, 0));
    if (!entry)
        damaged(
            QStringLiteral("%1: %2").arg(QLatin1StringView(name), QString::fromUtf8(zip_strerror(archive))));
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const zip_int64_t read =
            zip_fread(entry.get(), bytes.data() + done, zip_uint64_t(bytes.size() - done));
        if (read < 0)
            damaged(QStringLiteral("%1: %2").arg(QLatin1StringView(name),
                                                 QString::fromUtf8(zip_file_strerror(entry.get()))));
        if (read == 0)
            damaged(QStringLiteral("%1 is cut short").arg(QLatin1StringView(name)));
        done += read;
    }
    // Reading on to the end is what makes the archive check the entry's checksum.
    char extra = 0;
    if (zip_fread(entry.get(), &extra, 1) != 0)
        damaged(QStringLiteral("%1: %2").arg(QLatin1StringView(name),
                                             QString::fromUtf8(zip_file_strerror(entry.get()))));
    return bytes;
}

QByteArray decompressed(const QByteArray& compressed) {
    const std::unique_ptr<ZSTD_DCtx, DecompressorFreer> context(ZSTD_createDCtx());
    if (!context)
        throw std::bad_alloc();
    ZSTD_inBuffer input{compressed.constData(), size_t(compressed.size()), 0};
    QByteArray bytes;
    qsizetype done = 0;
    for (;;) {
        const qsizetype room = std::max<qsizetype>(qsizetype(ZSTD_DStreamOutSize()), bytes.size() / 2);
        bytes.resize(done + room);
        ZSTD_outBuffer output{bytes.data() + done, size_t(room), 0};
        const size_t left = ZSTD_decompressStream(context.get(), &output, &input);
        if (ZSTD_isError(left))
            damaged(QStringLiteral("collection.anki21b: %1").arg(QString::fromUtf8(ZSTD_getErrorName(left))));
        done += qsizetype(output.pos);
        if (done > MaxCollectionSize)
            damaged(QStringLiteral("collection.anki21b is larger than 1 GiB"));
        if (input.pos == input.size && output.pos < output.size) {
            if (left != 0)
                damaged(QStringLiteral("collection.anki21b is cut short"));
            break;
        }
    }
    bytes.truncate(done);
    return bytes;
}

} // namespace

bool isPackage(QByteArrayView bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

QByteArray collection(const QByteArray& package) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &error);
    if (!source)
        throw std::bad_alloc();
    const std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        zip_source_free(source);
        const QString problem = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        damaged(problem);
    }
    zip_error_fini(&error);
    // The newest layout first: a new package keeps an old-style collection only to ask for a newer Anki.
    for (const char* name : {"collection.anki21b", "collection.anki21", "collection.anki2"}) {
        const zip_int64_t index = zip_name_locate(archive.get(), name, 0);
        if (index < 0)
            continue;
        const QByteArray bytes = unpacked(archive.get(), zip_uint64_t(index), name);
        return name == std::string_view("collection.anki21b") ? decompressed(bytes) : bytes;
    }
    throw BadInput(
        0, QStringLiteral("no Anki collection in the package (collection.anki21b, collection.anki21 or "
                          "collection.anki2)"));
}

} // namespace anki
