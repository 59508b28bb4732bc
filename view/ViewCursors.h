// The view's five cursors (resources 134..138): pointing hand, open hand,
// closed hand, not-allowed sign, and pointing hand over a drop plate. Each is
// a 32 x 32 monochrome cursor: black outlines on white, transparent around.
#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>

#include <array>

inline constexpr int kCursorSize = 32;

// One cursor as drawn: a 32 x 32 image whose pixels are opaque black, opaque
// white or transparent, and its hot spot. index is a ViewCursor (0..4).
struct CursorShape {
    QImage image;
    QPoint hotSpot;
};
CursorShape DrawViewCursor(int index);

// The cursor built from the drawing as a bitmap and a mask.
QCursor MakeViewCursor(int index);
std::array<QCursor, 5> LoadViewCursors();

// The cursors the view shows, drawn the first time one is asked for rather
// than with the view: the window comes up sooner, and most starts never
// need them.
class ViewCursorSet {
public:
    // index: a ViewCursor other than CURSOR_DEFAULT.
    const QCursor& Shape(int index);

private:
    std::array<QCursor, 5> m_cursors;
    bool m_made = false;
};
