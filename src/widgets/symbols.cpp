#include "symbols.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

namespace keldoran {

namespace Symbols {
namespace {

// Renders a shipped SVG at the size asked for, in the palette's text colour for the icon's mode.
class ShippedIconEngine : public QIconEngine {
public:
    ShippedIconEngine(QString path, bool tinted)
        : path_(std::move(path))
        , tinted_(tinted) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawImage(rect, render(rect.size() * ratio, mode));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        return QPixmap::fromImage(render(size, mode));
    }

    QIconEngine* clone() const override { return new ShippedIconEngine(path_, tinted_); }

private:
    QImage render(const QSize& size, QIcon::Mode mode) const {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(path_);
        QPainter painter(&image);
        renderer.render(&painter);
        if (tinted_) {
            const auto group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(image.rect(), QGuiApplication::palette().color(group, QPalette::WindowText));
        } else if (mode == QIcon::Disabled) {
            painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            painter.fillRect(image.rect(), QColor(0, 0, 0, 110));
        }
        return image;
    }

    QString path_;
    bool tinted_;
};

const Entry* find(const QString& symbol) {
    for (const auto& entry : table()) {
        if (symbol == QLatin1String(entry.symbol)) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

const QList<Entry>& table() {
    static const QList<Entry> entries{
        {"pause.fill", "media-playback-pause", true},
        {"play.fill", "media-playback-start", true},
        {"clock.arrow.circlepath", "document-open-recent", true},
        {"slider.horizontal.3", "preferences-system", true},
        {"arrow.down.circle", "system-software-update", true},
        {"power", "system-shutdown", true},
        {"checkmark.circle.fill", "emblem-default", false},
        {"exclamationmark.triangle.fill", "dialog-warning", false},
        {"checkmark", "object-select", true},
        {"chevron.down", "go-down", true},
        {"chevron.up", "go-up", true},
        {"chevron.right", "go-next", true},
        {"arrow.left", "go-previous", true},
        {"arrow.right", "go-next", true},
        {"eye", "view-reveal", true},
        {"eye.slash", "view-conceal", true},
        {"info.circle.fill", "dialog-information", false},
        {"mappin.and.ellipse", "mark-location", true},
        {"largecircle.fill.circle", "", true},
        {"circle", "", true},
        {"smallcircle.filled.circle", "", true},
        {"folder.fill", "folder", true},
        {"folder.badge.minus", "", true},
        {"minus", "list-remove", true},
        {"plus", "list-add", true},
        {"arrow.clockwise", "view-refresh", true},
        {"lock.icloud", "folder-remote", true},
        {"lock.fill", "system-lock-screen", true},
        {"gearshape", "emblem-system", true},
        {"checkmark.square.fill", "", false},
        {"square", "", true},
        {"minus.square.fill", "", false},
        {"tablecells", "x-office-spreadsheet", true},
        {"photo", "image-x-generic", true},
        {"doc.text", "text-x-generic", true},
    };
    return entries;
}

QIcon shippedIcon(const QString& symbol) {
    const auto* entry = find(symbol);
    Q_ASSERT(entry);
    if (!entry) {
        return {};
    }
    return QIcon(new ShippedIconEngine(QStringLiteral(":/symbols/%1.svg").arg(symbol), entry->tinted));
}

QIcon icon(const QString& symbol) {
    const auto* entry = find(symbol);
    Q_ASSERT(entry);
    if (!entry) {
        return {};
    }
    const auto themeName = QString::fromLatin1(entry->themeName);
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)) {
        return QIcon::fromTheme(themeName);
    }
    return shippedIcon(symbol);
}

} // namespace Symbols

} // namespace keldoran
