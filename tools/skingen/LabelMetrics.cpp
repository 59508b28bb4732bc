#include "tools/skingen/LabelMetrics.h"

#include <QFontMetrics>
#include <QStringList>

#include "tools/skingen/SkinModel.h"

namespace skingen {
namespace {

constexpr int kSideMargin = 3;

}  // namespace

const QStringList& SampleLabels() {
    static const QStringList samples = {
        "Studio Camera 12 HD", "REMOTE FEED LINE 12", "GRAPHICS FILL KEY 2",
        "Main Presenter Desk", "WWW Stream Return 4", "Satellite Downlink",
    };
    return samples;
}

QFont LabelFont(int fontSize) {
    QFont font(kLabelFont);
    font.setPixelSize(fontSize);
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

int TextWidth(const QString& text, int fontSize) { return QFontMetrics(LabelFont(fontSize)).horizontalAdvance(text); }

int LongLabelWidth(int fontSize) {
    int widest = 0;
    for (const QString& sample : SampleLabels()) {
        Q_ASSERT(sample.size() <= kMaxLabelChars);
        widest = std::max(widest, TextWidth(sample, fontSize));
    }
    return widest + 2 * kSideMargin;
}

int LabelHeight(int fontSize) {
    const QFontMetrics metrics(LabelFont(fontSize));
    return std::max(fontSize, metrics.ascent() + metrics.descent()) + 2;
}

QSize BoxFor(const QString& text, int fontSize) {
    return {TextWidth(text, fontSize) + 2 * kSideMargin, LabelHeight(fontSize)};
}

}  // namespace skingen
