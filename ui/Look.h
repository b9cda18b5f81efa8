// Look.h: the window's Japanese fonts and colours.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>
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

inline void SetTextColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

inline void SetBackground(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setAutoFillBackground(true);
    w->setPalette(p);
}

inline QColor ButtonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

// The pale blue-grey of an inactive title bar, behind the mode panels.
inline const QColor InactiveCaption(191, 205, 219);
