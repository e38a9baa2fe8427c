#include "components/view/icon_when_used.h"

#include <QIconEngine>
#include <memory>
#include <utility>

namespace {

class MadeWhenUsed : public QIconEngine {
public:
    explicit MadeWhenUsed(std::function<QIcon()> make) : m_made(std::make_shared<Made>(std::move(make))) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    // Copies share the one picture, made once.
    QIconEngine* clone() const override { return new MadeWhenUsed(*this); }
    QString key() const override { return QStringLiteral("MadeWhenUsed"); }

private:
    struct Made {
        explicit Made(std::function<QIcon()> fn) : make(std::move(fn)) {}
        std::function<QIcon()> make;
        QIcon icon;
    };

    const QIcon& icon()
    {
        if (m_made->make)
            m_made->icon = std::exchange(m_made->make, nullptr)();
        return m_made->icon;
    }

    std::shared_ptr<Made> m_made;
};

}  // namespace

QIcon iconWhenUsed(std::function<QIcon()> make)
{
    return QIcon(new MadeWhenUsed(std::move(make)));
}
