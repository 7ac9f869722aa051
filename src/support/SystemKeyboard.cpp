#include "support/SystemKeyboard.h"

int PrimaryLanguageOf(QLocale::Language language)
{
    switch (language) {
    case QLocale::Arabic:
        return 0x01;
    case QLocale::Bulgarian:
        return 0x02;
    case QLocale::Catalan:
        return 0x03;
    case QLocale::Chinese:
        return 0x04;
    case QLocale::Czech:
        return 0x05;
    case QLocale::Danish:
        return 0x06;
    case QLocale::German:
        return 0x07;
    case QLocale::Greek:
        return 0x08;
    case QLocale::English:
        return 0x09;
    case QLocale::Spanish:
        return 0x0a;
    case QLocale::Finnish:
        return 0x0b;
    case QLocale::French:
        return 0x0c;
    case QLocale::Hebrew:
        return 0x0d;
    case QLocale::Hungarian:
        return 0x0e;
    case QLocale::Icelandic:
        return 0x0f;
    case QLocale::Italian:
        return 0x10;
    case QLocale::Japanese:
        return 0x11;
    case QLocale::Korean:
        return 0x12;
    case QLocale::Dutch:
        return 0x13;
    case QLocale::NorwegianBokmal:
    case QLocale::NorwegianNynorsk:
        return 0x14;
    case QLocale::Polish:
        return 0x15;
    case QLocale::Portuguese:
        return 0x16;
    case QLocale::Romanian:
        return 0x18;
    case QLocale::Russian:
        return 0x19;
    // Windows gives Croatian, Serbian and Bosnian one primary language.
    case QLocale::Croatian:
    case QLocale::Serbian:
    case QLocale::Bosnian:
        return 0x1a;
    case QLocale::Slovak:
        return 0x1b;
    case QLocale::Albanian:
        return 0x1c;
    case QLocale::Swedish:
        return 0x1d;
    case QLocale::Thai:
        return 0x1e;
    case QLocale::Turkish:
        return 0x1f;
    case QLocale::Ukrainian:
        return 0x22;
    case QLocale::Belarusian:
        return 0x23;
    case QLocale::Slovenian:
        return 0x24;
    case QLocale::Estonian:
        return 0x25;
    case QLocale::Latvian:
        return 0x26;
    case QLocale::Lithuanian:
        return 0x27;
    default:
        return 0;
    }
}

int KeyboardPrimaryLanguage()
{
    return PrimaryLanguageOf(QLocale::system().language());
}
