// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictConvert.h"

#include "dicttool/Dictd.h"
#include "dicttool/DictdArticle.h"
#include "dicttool/InputText.h"
#include "platform/TextCodec.h"

#include <QRegularExpression>

#include <algorithm>

namespace dictconvert {

QList<Article> readArticles(const QByteArray& index, const QByteArray& data) {
    QList<Article> articles;
    for (const dictd::IndexEntry& entry : dictd::readIndex(inputtext::decode(index)))
        articles.append({entry.headword, dictd::article(data, entry)});
    return articles;
}

QString plainText(QStringView text) {
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2013:
        case 0x2014:
        case 0x2015:
        case 0x2212:
            plain += u'-';
            break;
        case 0x2018:
        case 0x2019:
        case 0x201A:
        case 0x201B:
        case 0x2032:
            plain += u'\'';
            break;
        case 0x201C:
        case 0x201D:
        case 0x201E:
        case 0x201F:
        case 0x00AB:
        case 0x00BB:
        case 0x2033:
            plain += u'"';
            break;
        case 0x2026:
            plain += QLatin1String("...");
            break;
        case 0x00AD:
        case 0x200B:
        case 0xFEFF: // invisible: soft hyphen, zero-width space, byte-order mark
            break;
        default:
            plain += c;
        }
    }
    return plain.simplified();
}

QString withoutNotes(QStringView text) {
    QString kept;
    QString closers; // the brackets still open, innermost last
    for (const QChar c : text) {
        const qsizetype opener = QStringView(u"([{<").indexOf(c);
        if (opener >= 0) {
            closers += QStringView(u")]}>")[opener];
            continue;
        }
        if (QStringView(u")]}>").contains(c)) {
            if (closers.isEmpty() || closers.back() != c)
                return text.toString();
            closers.chop(1);
            continue;
        }
        if (closers.isEmpty())
            kept += c;
    }
    if (!closers.isEmpty())
        return text.toString();
    return plainText(kept);
}

QString englishSide(QStringView headLine) {
    static const QRegularExpression pronunciation(QStringLiteral(R"((?:\s/[^/]*/,?)+)"));
    QString head = withoutNotes(headLine);
    head.remove(pronunciation);
    return plainText(head);
}

QStringList russianSides(QStringView body) {
    // "1. a" at a line start or "... 2. b" inside a line begins a sense.
    static const QRegularExpression senseNumber(QStringLiteral(R"((?:^|\s)\d{1,2}[.)](?=\s|$))"));
    // "Note: ...", "see: ..." and the like are remarks, not translations.
    static const QRegularExpression remark(QStringLiteral(R"(^[A-Za-z][A-Za-z ]*:)"));
    // Leading abbreviations such as "n. ", "разг. ", "прил. ".
    static const QRegularExpression label(QStringLiteral(R"(^(?:[a-zа-яё]{1,5}\.\s+)+)"));

    QStringList sides;
    const QStringList lines = body.toString().split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (const QString& line : lines) {
        for (const QString& sense : line.split(senseNumber, Qt::SkipEmptyParts)) {
            const QString cleaned = withoutNotes(plainText(sense));
            if (remark.match(cleaned).hasMatch())
                continue;
            for (QString side : cleaned.split(QRegularExpression(QStringLiteral("[,;]")))) {
                side = plainText(side);
                side.remove(label);
                if (side.endsWith(u'.') && side.count(u'.') == 1)
                    side.chop(1);
                side = plainText(side);
                if (!side.isEmpty())
                    sides.append(side);
            }
        }
    }
    return sides;
}

const char* verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Written:
        return "written";
    case Verdict::Duplicate:
        return "duplicate line";
    case Verdict::Empty:
        return "empty side";
    case Verdict::OutsideCodePage:
        return "character outside Windows-1251";
    case Verdict::Separator:
        return "\"|\" inside a side";
    case Verdict::Brackets:
        return "unbalanced brackets";
    case Verdict::TooLong:
        return "side longer than 40 characters";
    case Verdict::TooShort:
        return "one-letter side";
    case Verdict::WrongScript:
        return "not Russian on the left or not English on the right";
    }
    return "?";
}

namespace {

bool fitsCodePage(const QString& side) {
    for (const QChar c : side) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            return false;
    }
    return ansi::decode(ansi::encode(side)) == side;
}

bool isCyrillic(QChar c) {
    return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF;
}

bool isLatin(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

Verdict check(const QString& russian, const QString& english) {
    if (russian.isEmpty() || english.isEmpty())
        return Verdict::Empty;
    if (!fitsCodePage(russian) || !fitsCodePage(english))
        return Verdict::OutsideCodePage;
    if (russian.contains(u'|') || english.contains(u'|'))
        return Verdict::Separator;
    static const QRegularExpression bracket(QStringLiteral(R"([()\[\]{}<>])"));
    if (russian.contains(bracket) || english.contains(bracket))
        return Verdict::Brackets;
    if (russian.size() > maxSideLength || english.size() > maxSideLength)
        return Verdict::TooLong;
    // A one-letter word ("в", "у", "a") is a preposition or an article that many pairs share, so a
    // quiz could not tell its right answer from the others.
    if (russian.size() < 2 || english.size() < 2)
        return Verdict::TooShort;
    if (!std::any_of(russian.begin(), russian.end(), isCyrillic) ||
        !std::any_of(english.begin(), english.end(), isLatin) ||
        std::any_of(english.begin(), english.end(), isCyrillic))
        return Verdict::WrongScript;
    return Verdict::Written;
}

} // namespace

Verdict PairList::add(const QString& russian, const QString& english) {
    Verdict verdict = check(russian, english);
    if (verdict == Verdict::Written) {
        const QString line = russian + u'|' + english;
        if (m_seen.contains(line)) {
            verdict = Verdict::Duplicate;
        } else {
            m_seen.insert(line);
            m_lines.append(line);
        }
    }
    ++m_counts[int(verdict)];
    return verdict;
}

QString PairList::text() const {
    QString text;
    for (const QString& line : m_lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

Conversion convert(const QList<Article>& articles) {
    Conversion result;
    for (const Article& article : articles) {
        if (dictd::isHeaderEntry(article.headword)) {
            ++result.metaArticles;
            continue;
        }
        ++result.articles;
        // The text normally repeats the headword (with its pronunciation) on its first line.
        const qsizetype lineEnd = article.text.indexOf(u'\n');
        const QStringView firstLine =
            QStringView(article.text).left(lineEnd < 0 ? article.text.size() : lineEnd);
        QString english = englishSide(firstLine);
        QStringView body;
        if (!article.headword.isEmpty() && spellsHeadword(english, article.headword)) {
            body = lineEnd < 0 ? QStringView() : QStringView(article.text).mid(lineEnd + 1);
        } else {
            english = plainText(withoutNotes(article.headword));
            body = article.text;
        }
        const QStringList sides = russianSides(body);
        if (sides.isEmpty())
            result.pairs.add(QString(), english);
        for (const QString& russian : sides)
            result.pairs.add(russian, english);
    }
    return result;
}

} // namespace dictconvert
