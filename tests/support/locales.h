#pragma once

#include <QLocale>

// The locales the logic tests read and write numbers in: no separators to speak of, comma groups
// with a decimal point, and point groups with a decimal comma.
inline const QLocale c = QLocale::c();
inline const QLocale enUS(QLocale::English, QLocale::UnitedStates);
inline const QLocale deDE(QLocale::German, QLocale::Germany);
