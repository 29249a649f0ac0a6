// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes() {
    const struct {
        const char* family;
        QStringList lookAlikes;
    } substitutes[] = {
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
        {"Monotype Corsiva", {"Z003", "URW Chancery L", "DejaVu Serif"}},
        {"Sylfaen", {"DejaVu Serif", "Liberation Serif"}},
        {"Tahoma", {"Liberation Sans", "DejaVu Sans"}},
        {"Arial", {"Liberation Sans", "DejaVu Sans"}},
        {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
        {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
    };
    for (const auto& substitute : substitutes)
        QFont::insertSubstitutions(QString::fromLatin1(substitute.family), substitute.lookAlikes);
}
