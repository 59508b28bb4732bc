#include "render/PaintFixture.h"

#include <QPainter>

void ForEachPixel(const QImage& image, const QRect& rect, const std::function<void(int x, int y, QRgb)>& visit) {
    const QRect r = rect & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) visit(x, y, line[x]);
    }
}

int CountPixelsNotOf(const QImage& image, const QRect& rect, QRgb colour, QRect* bounds) {
    int count = 0;
    QRect box;
    ForEachPixel(image, rect, [&](int x, int y, QRgb pixel) {
        if (Rgb(pixel) == Rgb(colour)) return;
        ++count;
        box |= QRect(x, y, 1, 1);
    });
    if (bounds) *bounds = box;
    return count;
}

void PaintFixture::SetUp() {
    m_skin.LoadSkinFile(ShippedSkinPath());
    ASSERT_FALSE(m_skin.IsEmpty()) << ShippedSkinPath().toStdString();
    ASSERT_TRUE(SetUpDocument(m_doc, m_skin, {{16, 4}, {32, 4}, {48, 6}}, {{128, {0, 1, 7, 9}}, {144, {2, 3, 4, 5}}}));
    Rebuild();
    ASSERT_EQ(m_layout.items().size(), 8u);
}

QImage PaintFixture::Render(const PaintSelection& selection, bool outlines, QRect clip, QImage::Format format) const {
    QImage image(m_layout.size(), format);
    image.fill(kSentinel);
    QPainter painter(&image);
    if (clip.isNull()) clip = image.rect();
    PaintConfiguration(painter, m_layout, m_skin, m_doc, m_layout.size(), clip, selection, outlines);
    return image;
}

QRect PaintFixture::ItemRect(int item) const {
    QRect r;
    EXPECT_TRUE(m_layout.GetItemRect(item, r, SUBITEM_WHOLE, m_layout.size()));
    return r;
}

const SkinLabel& PaintFixture::InputLabel(int item, int e, int g) const {
    return Config(item).m_inputs.at(std::size_t(e)).m_labels.at(std::size_t(g));
}

QRect PaintFixture::InputLabelBox(int item, int e, int g) const {
    return InputLabel(item, e, g).box.translated(ItemRect(item).topLeft());
}

int PaintFixture::OutputModuleItem(int slot) const {
    for (std::size_t i = 0; i < m_layout.items().size(); ++i) {
        const ViewItem& it = m_layout.items()[i];
        if (it.kind == ITEM_OUTPUT_MODULE && it.slot == slot) return int(i);
    }
    return -1;
}

int PaintFixture::CardItem() const {
    for (std::size_t i = 0; i < m_layout.items().size(); ++i)
        if (m_layout.items()[i].kind == ITEM_CARD) return int(i);
    return -1;
}
