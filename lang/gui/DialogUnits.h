// Dialog units: sizes of dialog layouts given independently of the font, a
// quarter of the font's average character width across and an eighth of its
// height down, so a dialog keeps its proportions with any system font.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    // Fixed bases, for a dialog laid out for one font whatever the system's.
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    int X(int units) const { return units * m_baseX / 4; }
    int Y(int units) const { return units * m_baseY / 8; }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }
    // A rectangle whose edges are mapped, so that neighbours keep touching.
    QRect Map(int x, int y, int width, int height) const {
        return {X(x), Y(y), X(x + width) - X(x), Y(y + height) - Y(y)};
    }

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }

private:
    int m_baseX;  // average character width
    int m_baseY;  // character height
};
