// The painting tests' configuration on the shipped skin, and pixel helpers.
#pragma once

#include "render/ConfigPainter.h"
#include "support/PaintScene.h"
#include "support/RecordingPresenter.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

// Outside every item nothing is painted: this colour stays.
constexpr QRgb kSentinel = 0xFFFF00FF;
constexpr QRgb kWhite = 0xFFFFFFFF;

inline QRgb Rgb(QRgb pixel) { return pixel & 0xFFFFFF; }

// Calls visit for every pixel of rect (clipped to the image).
void ForEachPixel(const QImage& image, const QRect& rect, const std::function<void(int x, int y, QRgb)>& visit);
// The pixels of rect that differ from colour, and their bounding box.
int CountPixelsNotOf(const QImage& image, const QRect& rect, QRgb colour, QRect* bounds = nullptr);

class PaintFixture : public ::testing::Test {
protected:
    // Slots 0..2: SDI with embedded audio (4 inputs), HDMI (4), CVBS (6 of
    // 8): 14 inputs, so keys 14 and 15 and the last two CVBS inputs are
    // unusable. Outputs: HD-SDI with signals 0, 1, 7 and 9 (beyond the eight
    // names), HDMI.
    void SetUp() override;
    void Rebuild() { m_layout.BuildLayout(m_skin, m_doc); }

    QImage Render(const PaintSelection& selection = {}, bool outlines = true, QRect clip = QRect(),
                  QImage::Format format = QImage::Format_RGB32) const;
    QRect ItemRect(int item) const;
    const CSkinConfig& Config(int item) const { return *m_layout.items()[std::size_t(item)].config(); }
    // Label g of input e of an item, in view coordinates.
    const SkinLabel& InputLabel(int item, int e, int g) const;
    QRect InputLabelBox(int item, int e, int g) const;
    int InputModuleItem(int slot) const { return m_layout.FindInputModuleItem(slot); }
    int OutputModuleItem(int slot) const;
    int CardItem() const;

    RecordingPresenter m_presenter;
    CSkin m_skin;
    CMainDoc m_doc;
    SkinLayout m_layout;
};
