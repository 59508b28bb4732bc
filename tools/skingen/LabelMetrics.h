#pragma once
// Label boxes are sized from the bold label font at its pixel size, so a
// label of the longest length the device stores (19 characters) fits.
#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

namespace skingen {

constexpr int kMaxLabelChars = 19;

// Labels users really type, as long as the device stores them.
const QStringList& SampleLabels();
QFont LabelFont(int fontSize);
int TextWidth(const QString& text, int fontSize);
// Width of the widest realistic 19-character label at this size.
int LongLabelWidth(int fontSize);
// Box height that holds the font's ascent and descent.
int LabelHeight(int fontSize);
// Smallest box that holds the text with a small margin on each side.
QSize BoxFor(const QString& text, int fontSize);

}  // namespace skingen
