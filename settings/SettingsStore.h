// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class KeyStore;
class ProgramFolder;

// What the settings act on: the main window's game length, direction and background picture.
struct SettingsTarget {
    virtual ~SettingsTarget() = default;
    // Sets GameTime, TimeLeft and the time-left label.
    virtual void setGameTime(double gameTime) = 0;
    virtual void setDirection(const QString& direction) = 0;
    // May throw Failure when the picture cannot be loaded.
    virtual void loadBackground(const QString& path) = 0;
    virtual void clearBackground() = 0;
};

// The three settings in the key store. The readers expect the key to be open; all of them throw
// Failure with the key store's messages.
namespace settings {

inline const QString KeyPath = QStringLiteral("SoftWare\\LexiTrainer");
inline const QString GameTimeName = QStringLiteral("GameTime");
inline const QString TranslationName = QStringLiteral("Translation");
inline const QString BackgroundImageName = QStringLiteral("BackgroundImage");
inline const QString EnglishRussian = QStringLiteral("EN\\RU");
inline const QString RussianEnglish = QStringLiteral("RU\\EN");
// The copy of the chosen picture, in the program's folder.
inline const QString BackgroundFileName = QStringLiteral("BackgroundImage.bmp");

double defaultGameTime();

// Exactly 8 bytes, a little-endian double counting days; another size, or a value that is no number
// of days at all (infinite, not a number), is "Invalid data type for 'GameTime'".
double readGameTime(const KeyStore& store);
void writeGameTime(KeyStore& store, double gameTime);
QString readTranslation(const KeyStore& store);
void writeTranslation(KeyStore& store, const QString& direction);
// Any non-zero value counts as on.
bool readBackgroundImage(const KeyStore& store);
void writeBackgroundImage(KeyStore& store, bool on);

// Reads the settings onto the target, writing the default of each that is missing; the background
// picture is the one in the program's folder. A failure stops it at that step; what was applied before
// stays applied.
void LoadRegistrySetings(KeyStore& store, const ProgramFolder& folder, SettingsTarget& target);

} // namespace settings
