// Fonts.h: the window's Japanese fonts.
#pragma once

#include <QFont>
#include <QStringList>

// The Japanese fonts the game was drawn for, with the IPA fonts as stand-ins.
inline QFont JapaneseFont(const QStringList& families, int pixels, bool bold)
{
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

inline QFont PGothic(int pixels, bool bold = false)
{
    return JapaneseFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                         QStringLiteral("IPAGothic")},
                        pixels, bold);
}

inline QFont Gothic(int pixels, bool bold = false)
{
    return JapaneseFont({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                         QStringLiteral("IPAPGothic")},
                        pixels, bold);
}
