// SPDX-License-Identifier: GPL-3.0-or-later
#include "dicttool/Texts.h"

#include <QByteArray>

namespace {

bool speaksRussian() {
    static const bool russian = [] {
        // The first of these that is set decides, as for every program's messages.
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const QByteArray value = qgetenv(name);
            if (!value.isEmpty())
                return value.startsWith("ru");
        }
        return false;
    }();
    return russian;
}

} // namespace

QString localized(QStringView russian, QStringView english) {
    return (speaksRussian() ? russian : english).toString();
}

QString helpText() {
    return localized(uR"(Использование: lexitrainer-dict КОМАНДА [ПАРАМЕТРЫ] [АРГУМЕНТЫ]

Переносит пары слов в словари LexiTrainer из других программ и данные программы в текст.

Команды:
  import [ПАРАМЕТРЫ] ФАЙЛ...  добавить пары из файлов KVTML, TSV, CSV, dictd или колод Anki
                              (.apkg, .colpkg) в словарь пользователя словарь/User.txt
      --format ФОРМАТ         kvtml, tsv, csv, dictd или anki (иначе определяется по содержимому)
      --from ЯЗЫК, --to ЯЗЫК  KVTML: английский и русский язык файла (номер, локаль или имя);
                              без них файл должен объявлять английский и русский
      --columns АНГЛ,РУС      TSV и CSV: номера столбцов английского и русского слова, с 1
      --separator СИМВОЛ      TSV и CSV: разделитель полей (символ, tab, comma или semicolon;
                              иначе из заголовка Anki или по содержимому: "," или ";")
      --fields АНГЛ,РУС       Anki: имена полей английского и русского слова
      --standard              записать вместо этого новый стандартный словарь словарь/main.txt
      -o ФАЙЛ                 записать вместо этого новый словарь ФАЙЛ
  export [ПАРАМЕТРЫ]          вывести словарь пользователя в TSV, CSV или KVTML
      --standard              вывести стандартный словарь
      --format ФОРМАТ         tsv, csv или kvtml (иначе по имени файла -o, или tsv)
      -o ФАЙЛ                 записать в ФАЙЛ, а не на стандартный вывод
  decode [-o ФАЙЛ] ФАЙЛ       файл данных (словарь, Players.ini, сохранённая игра) как текст UTF-8
  encode [-o ФАЙЛ] ФАЙЛ       текст UTF-8 обратно в файл данных, байт в байт
  results [ИГРОК]             игры игрока из Players.ini в CSV (дата, верно, неверно, очки,
                              длительность игры); без имени игрока - игры всех игроков
      --format dd.MM.yyyy     даты, как их пишет программа (иначе ISO 8601: 2026-12-08 11:28:06)

Параметры всех команд, кроме decode и encode:
  --folder ПАПКА              папка программы (иначе папка, где лежит lexitrainer-dict)

ФАЙЛ "-" - стандартный ввод, "-o -" - стандартный вывод. Параметры пишутся до аргументов.
Код выхода: 0 - готово, 1 - ошибка во входных данных (сообщение называет файл и строку)
или ошибка чтения и записи, 2 - неверный вызов.
Пары, которые Windows-1251 не может записать, пары с "|" или переводом строки и пары,
русское или английское слово которых уже есть в словаре пользователя или стандартном
словаре (без учёта регистра, как в редакторе словаря), пропускаются и подсчитываются.
)",
                     uR"(Usage: lexitrainer-dict COMMAND [OPTIONS] [ARGUMENTS]

Brings word pairs from other programs into LexiTrainer's dictionaries, and the program's data out
as text.

Commands:
  import [OPTIONS] FILE...    add the pairs of KVTML, TSV, CSV, dictd files or Anki decks (.apkg,
                              .colpkg) to the user dictionary словарь/User.txt
      --format FORMAT         kvtml, tsv, csv, dictd or anki (found from the content otherwise)
      --from LANG, --to LANG  KVTML: the file's English and Russian language (id, locale or name);
                              without them the file must declare English and Russian
      --columns EN,RU         TSV and CSV: the columns of the English and the Russian word, from 1
      --separator CHAR        TSV and CSV: the field separator (a character, tab, comma or
                              semicolon; else from Anki's header or the content: "," or ";")
      --fields EN,RU          Anki: the names of the English and the Russian field
      --standard              write a new standard dictionary словарь/main.txt instead
      -o FILE                 write a new dictionary FILE instead
  export [OPTIONS]            write the user dictionary as TSV, CSV or KVTML
      --standard              write the standard dictionary
      --format FORMAT         tsv, csv or kvtml (from the name given to -o otherwise, or tsv)
      -o FILE                 write to FILE instead of standard output
  decode [-o FILE] FILE       a data file (dictionary, Players.ini, saved game) as UTF-8 text
  encode [-o FILE] FILE       UTF-8 text back into a data file, byte for byte
  results [PLAYER]            a player's games from Players.ini as CSV (date, right, wrong, points,
                              game length); every player's games without a name
      --format dd.MM.yyyy     dates as the program writes them (ISO 8601 otherwise: 2026-12-08 11:28:06)

Option of every command but decode and encode:
  --folder DIR                the program folder (the folder of lexitrainer-dict otherwise)

FILE "-" is standard input, "-o -" standard output. Options come before arguments.
Exit status: 0 done, 1 bad input (the message names the file and line) or a failed read or
write, 2 wrong usage.
Pairs that Windows-1251 cannot hold, pairs with "|" or a line break, and pairs whose Russian
or English word is already in the user or the standard dictionary (letter case ignored, as
the dictionary editor does) are skipped and counted.
)");
}
