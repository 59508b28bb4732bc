// What the label boxes of an item say: the texts the configuration gives each
// input's labels and whether the input is unusable (its boxes then show the
// disabled colour and no text). Shared by painting and anything else that
// needs the same words, without drawing.
#pragma once

#include <QString>

class CMainDoc;
class CSkin;
class SkinLayout;

// An input shows at most three texts; further labels stay empty.
constexpr int kTextLabelsPerInput = 3;

struct InputLabelTexts {
    bool disabled = false;
    QString text[kTextLabelsPerInput];

    // The text of label g, empty beyond the third.
    const QString& Get(int g) const;
};

// Fills out for input area `input` of layout item `item`. A disabled input
// gets no text at all.
void GetInputLabelTexts(const SkinLayout& layout, int item, const CSkin& skin, const CMainDoc& doc, int input,
                        InputLabelTexts& out);

// The text of a configuration label of a module item: its slot number, 1-based.
QString SlotNumberText(int slot);
