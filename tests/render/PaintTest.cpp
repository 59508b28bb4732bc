#include "render/PaintFixture.h"
#include "render/LabelPainter.h"
#include "skin/LabelText.h"
#include "res/resource.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPicture>
#include <QWidget>
#include <QTemporaryDir>

namespace {

class PaintTest : public PaintFixture {
protected:
    // Every label box of an item, configuration labels included, in view coordinates.
    std::vector<QRect> LabelBoxes(int item) const {
        std::vector<QRect> boxes;
        const QPoint origin = ItemRect(item).topLeft();
        for (const SkinLabel& l : Config(item).m_labels) boxes.push_back(l.box.translated(origin));
        for (const CSkinInput& input : Config(item).m_inputs)
            for (const SkinLabel& l : input.m_labels) boxes.push_back(l.box.translated(origin));
        return boxes;
    }
    // The label boxes of every input of an item with what they should show.
    struct LabelCase {
        QRect box;
        SkinLabel label;
        QString text;
        bool disabled;
    };
    std::vector<LabelCase> InputLabelCases(int item) const {
        std::vector<LabelCase> cases;
        InputLabelTexts texts;
        for (int e = 0; e < int(Config(item).m_inputs.size()); ++e) {
            GetInputLabelTexts(m_layout, item, m_skin, m_doc, e, texts);
            for (int g = 0; g < int(Config(item).m_inputs[std::size_t(e)].m_labels.size()); ++g)
                cases.push_back({InputLabelBox(item, e, g), InputLabel(item, e, g), texts.Get(g), texts.disabled});
        }
        return cases;
    }
};

TEST_F(PaintTest, PicturesAreCopiedOneToOneOutsideTheirLabelBoxesAndNothingElseIsTouched) {
    const QImage image = Render();
    QRegion items;
    for (int item = 0; item < int(m_layout.items().size()); ++item) {
        SCOPED_TRACE(item);
        const QRect r = ItemRect(item);
        items += r;
        const QImage& picture = Config(item).m_picture.image();
        ASSERT_EQ(picture.size(), r.size()) << "the shipped skin's modules have one picture size each";
        const std::vector<QRect> boxes = LabelBoxes(item);
        int mismatches = 0;
        ForEachPixel(image, r, [&](int x, int y, QRgb pixel) {
            for (const QRect& box : boxes)
                if (box.contains(x, y)) return;
            if (Rgb(pixel) != Rgb(picture.pixel(x - r.left(), y - r.top()))) ++mismatches;
        });
        EXPECT_EQ(mismatches, 0);
    }
    int touchedOutside = 0;
    ForEachPixel(image, image.rect(), [&](int x, int y, QRgb pixel) {
        if (!items.contains(QPoint(x, y)) && pixel != kSentinel) ++touchedOutside;
    });
    EXPECT_EQ(touchedOutside, 0);
}

TEST_F(PaintTest, LabelBoxesShowTheirTextCentredOrTheirPlainColour) {
    ASSERT_TRUE(m_doc.SetInputLabel(0, "Camera 1"));
    ASSERT_TRUE(m_doc.SetPanelLabel(9, "Mic"));
    const QImage image = Render();
    int withText = 0, disabled = 0, empty = 0;
    for (int item = 0; item < int(m_layout.items().size()); ++item) {
        for (const LabelCase& c : InputLabelCases(item)) {
            SCOPED_TRACE(::testing::Message() << "item " << item << " text \"" << c.text.toStdString() << "\"");
            if (c.disabled || c.text.isEmpty()) {
                const QRgb fill = SkinColorToRgb(c.disabled ? c.label.disabled : c.label.back);
                EXPECT_EQ(CountPixelsNotOf(image, c.box, fill), 0);
                ++(c.disabled ? disabled : empty);
                continue;
            }
            QRect ink;
            EXPECT_GT(CountPixelsNotOf(image, c.box, SkinColorToRgb(c.label.back), &ink), 0);
            if (ink.width() < c.box.width() - 2) {  // not cut: centred within a pixel or two
                EXPECT_LE(std::abs((ink.left() - c.box.left()) - (c.box.right() - ink.right())), 2);
            }
            EXPECT_LE(std::abs((ink.top() - c.box.top()) - (c.box.bottom() - ink.bottom())), 3);
            ++withText;
        }
    }
    // Unusable: keys 14 and 15 (three labels each), panel inputs 0..7 (their
    // modules carry embedded audio) and 14, 15, SDI inputs 4..7 and CVBS
    // inputs 6, 7 (two labels each). One output's signal has no name.
    EXPECT_GT(withText, 40);
    EXPECT_EQ(disabled, 2 * 3 + 10 + 4 * 2 + 2 * 2);
    EXPECT_EQ(empty, 1);
}

TEST_F(PaintTest, ModuleSlotNumberIsWrittenInTheConfigurationLabel) {
    const QImage image = Render();
    for (int item : {InputModuleItem(2), OutputModuleItem(1)}) {
        const ViewItem& it = m_layout.items()[std::size_t(item)];
        ASSERT_FALSE(Config(item).m_labels.empty());
        const SkinLabel& label = Config(item).m_labels[0];
        const QRect box = label.box.translated(ItemRect(item).topLeft());
        // Same font, same box: the slot's digit is drawn exactly as a label with that text.
        QImage expected(box.size(), QImage::Format_RGB32);
        QPainter painter(&expected);
        DrawLabel(painter, label, expected.rect(), QString::number(it.slot + 1), false);
        painter.end();
        EXPECT_EQ(image.copy(box), expected) << "slot " << it.slot;
    }
}

TEST_F(PaintTest, LongTextIsCutAtBothBoxEdgesAndAnAmpersandIsShown) {
    ASSERT_TRUE(m_doc.SetInputLabel(4, "WWWWWWWWWWWWWWWWWWW"));
    ASSERT_TRUE(m_doc.SetInputLabel(5, "&"));
    const QImage image = Render();
    const int hdmi = InputModuleItem(1);
    const QRect longBox = InputLabelBox(hdmi, 0, 1);
    const QRgb back = SkinColorToRgb(InputLabel(hdmi, 0, 1).back);
    for (const QRect& edge : {QRect(longBox.left(), longBox.top(), 2, longBox.height()),
                              QRect(longBox.right() - 1, longBox.top(), 2, longBox.height())})
        EXPECT_GT(CountPixelsNotOf(image, edge, back), 0) << "ink reaches the edge";
    const QRect r = ItemRect(hdmi);
    const QImage& picture = Config(hdmi).m_picture.image();
    for (const QRect& beside : {QRect(longBox.left() - 3, longBox.top(), 3, longBox.height()),
                                QRect(longBox.right() + 1, longBox.top(), 3, longBox.height())})
        EXPECT_EQ(image.copy(beside), picture.copy(beside.translated(-r.topLeft()))) << "no ink beside the box";
    EXPECT_GT(CountPixelsNotOf(image, InputLabelBox(hdmi, 1, 1), SkinColorToRgb(InputLabel(hdmi, 1, 1).back)), 0)
        << "a lone ampersand is a character, not a mnemonic marker";
}

// What a 3-pixel outline with rounded corners leaves untouched inside its rectangle.
QRegion Interior(const QRect& area) {
    constexpr int kCorner = 6;
    QRegion inside(area.adjusted(2, 2, -2, -2));
    for (const QPoint& corner :
         {area.topLeft(), area.topRight() - QPoint(kCorner - 1, 0), area.bottomLeft() - QPoint(0, kCorner - 1),
          area.bottomRight() - QPoint(kCorner - 1, kCorner - 1)})
        inside -= QRect(corner, QSize(kCorner, kCorner));
    return inside;
}

TEST_F(PaintTest, OutlinesInvertThePixelsAroundTheSubItemByTheirColour) {
    const int sdi = InputModuleItem(0), keys = 0;
    const struct {
        const char* name;
        int item, sub;
        PaintSelection selection;
        uint32_t mask;
        SkinColor CSkinConfig::*color;
    } cases[] = {
        {"selected sub-item", sdi, 1, {sdi, 1, -1, -1}, 0, &CSkinConfig::m_focusedColor},
        {"drop target", sdi, 2, {-1, -1, sdi, 2}, 0, &CSkinConfig::m_dropTargetColor},
        {"marked input", keys, 5, {}, 1u << 5, &CSkinConfig::m_selectedColor},
        {"marked audio channel", sdi, SUBITEM_AUDIO + 3, {}, 1u << (SUBITEM_AUDIO + 3), &CSkinConfig::m_selectedColor},
    };
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.name << ", format " << format);
            m_layout.items()[std::size_t(c.item)].mask = c.mask;
            const QImage plain = Render(c.selection, false, QRect(), format);
            const QImage outlined = Render(c.selection, true, QRect(), format);
            m_layout.items()[std::size_t(c.item)].mask = 0;
            QRect area;
            ASSERT_TRUE(m_layout.GetItemRect(c.item, area, c.sub, m_layout.size()));
            const QRgb colour = Rgb(SkinColorToRgb(Config(c.item).*c.color));
            const QRegion interior = Interior(area);
            int inverted = 0, wrong = 0;
            ForEachPixel(plain, plain.rect(), [&](int x, int y, QRgb pixel) {
                const QRgb after = outlined.pixel(x, y);
                if (after == pixel) return;
                const bool onPen = area.adjusted(-1, -1, 1, 1).contains(x, y) && !interior.contains(QPoint(x, y));
                (onPen && Rgb(after) == (Rgb(pixel) ^ colour) ? inverted : wrong)++;
            });
            EXPECT_EQ(wrong, 0);
            // The pen is 3 pixels wide along most of the perimeter.
            EXPECT_GT(inverted, 3 * 2 * (area.width() + area.height()) * 3 / 4);
        }
    }
}

TEST_F(PaintTest, DrawingAnOutlineAgainRemovesIt) {
    const int keys = 0;
    const PaintSelection selection{keys, 3, -1, -1};
    const QImage plain = Render(selection, false);
    QImage image = Render(selection, true);
    ASSERT_NE(image, plain);
    QRect area;
    ASSERT_TRUE(m_layout.GetItemRect(keys, area, 3, m_layout.size()));
    QPainter painter(&image);
    DrawHighlight(painter, area, Config(keys).m_focusedColor);
    painter.end();
    EXPECT_EQ(image, plain);
}

// A widget that paints the configuration as the view does.
class ConfigWidget : public QWidget {
public:
    explicit ConfigWidget(const std::function<void(QPainter&)>& paint) : m_paint(paint) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_paint(painter);
    }

private:
    std::function<void(QPainter&)> m_paint;
};

TEST_F(PaintTest, AWidgetShowsTheSameDrawingOutlinesIncluded) {
    const PaintSelection selection{0, 4, -1, -1};
    bool inverted = false;
    ConfigWidget widget([&](QPainter& painter) {
        inverted = SupportsXorOutlines(painter);
        painter.fillRect(painter.viewport(), QColor::fromRgb(kSentinel));
        PaintConfiguration(painter, m_layout, m_skin, m_doc, m_layout.size(), QRect(QPoint(0, 0), m_layout.size()),
                           selection, true);
    });
    widget.resize(m_layout.size());
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(inverted);
    EXPECT_EQ(shown, Render(selection, true));
}

TEST_F(PaintTest, DevicesThatCannotInvertGetAPlainOutline) {
    const QRect area(10, 10, 30, 20);
    QPicture recording;  // like a printer or the print preview: a vector device
    QPainter recorder(&recording);
    EXPECT_FALSE(SupportsXorOutlines(recorder));
    DrawHighlight(recorder, area, 0x0000FF);
    recorder.end();
    QImage image(60, 50, QImage::Format_RGB32);
    image.fill(0xFF808080);
    QPainter painter(&image);
    painter.drawPicture(0, 0, recording);
    painter.end();
    EXPECT_EQ(Rgb(image.pixel(area.center().x(), area.top())), 0xFF0000u) << "red, not grey XOR red";
    EXPECT_EQ(Rgb(image.pixel(area.center())), 0x808080u) << "the inside stays as it was";
}

TEST_F(PaintTest, OnlyItemsMeetingTheClipAreDrawn) {
    const int hdmi = InputModuleItem(1);
    const QRect clip = ItemRect(hdmi);  // its neighbours in the row only touch it
    const QImage image = Render({}, true, clip);
    const QImage full = Render();
    EXPECT_EQ(image.copy(clip), full.copy(clip));
    for (int item = 0; item < int(m_layout.items().size()); ++item) {
        if (item == hdmi) continue;
        EXPECT_EQ(CountPixelsNotOf(image, ItemRect(item), kSentinel), 0) << "item " << item;
    }
}

TEST_F(PaintTest, AWindowLargerThanTheLayoutShowsItCentred) {
    const QSize client = m_layout.size() + QSize(101, 60);
    QImage image(client, QImage::Format_RGB32);
    image.fill(kSentinel);
    QPainter painter(&image);
    EraseBackground(painter, m_layout, client, image.rect());
    EXPECT_EQ(CountPixelsNotOf(image, QRect(QPoint(50, 30), m_layout.size()), kWhite),
              CountPixelsNotOf(image, image.rect(), kWhite))
        << "only the item rectangles are left for the items to paint";
    PaintConfiguration(painter, m_layout, m_skin, m_doc, client, image.rect(), {}, true);
    painter.end();
    EXPECT_EQ(CountPixelsNotOf(image, image.rect(), kSentinel), image.width() * image.height());
    QImage expected(m_layout.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter again(&expected);
    PaintConfiguration(again, m_layout, m_skin, m_doc, m_layout.size(), expected.rect(), {}, true);
    again.end();
    EXPECT_EQ(image.copy(QRect(QPoint(50, 30), m_layout.size())), expected);
}

TEST_F(PaintTest, AConfigurationWithoutAPictureShowsAGreyPlateWithItsName) {
    QFile file(ShippedSkinPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray xml = file.readAll();
    ASSERT_TRUE(xml.contains("pictures/in_hdmi4.bmp"));
    xml.replace("pictures/in_hdmi4.bmp", "pictures/no_such_picture.bmp");
    m_skin.LoadSkinData(xml, QFileInfo(ShippedSkinPath()).absolutePath());
    ReportOpenErrors(m_skin.missingPictures());  // as the view does
    EXPECT_EQ(m_presenter.ids(), std::vector<unsigned>{IDS_ERROR_OPENING});
    Rebuild();
    const int hdmi = InputModuleItem(1);
    ASSERT_FALSE(Config(hdmi).m_picture.loaded());
    const QRect r = ItemRect(hdmi);
    ASSERT_FALSE(r.isEmpty()) << "the module keeps the size of its other configuration";
    const QImage image = Render();
    const QRgb grey = image.pixel(r.center());
    // Outside the label boxes only neutral greys: the plate, its frame and the name.
    const std::vector<QRect> boxes = LabelBoxes(hdmi);
    int coloured = 0, ink = 0;
    ForEachPixel(image, r.adjusted(1, 1, -1, -1), [&](int x, int y, QRgb pixel) {
        for (const QRect& box : boxes)
            if (box.contains(x, y)) return;
        if (qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel)) ++coloured;
        if (Rgb(pixel) != Rgb(grey)) ++ink;
    });
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(ink, 50) << "the configuration's name is written on the plate";
    EXPECT_GT(CountPixelsNotOf(image, InputLabelBox(hdmi, 0, 1), SkinColorToRgb(InputLabel(hdmi, 0, 1).back)), 0)
        << "labels are still written";
}

}  // namespace
