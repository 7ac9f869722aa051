#include "catalogue/IconStore.h"

#include <QCoreApplication>
#include <QFileInfo>

TIconStore::TIconStore(int large, int small, QObject *parent)
    : QObject(parent), m_large(large), m_small(small)
{
    // One picture in memory at a time, however large its file.
    m_pool.setMaxThreadCount(1);
}

TIconStore::~TIconStore()
{
    m_pool.clear();
    m_pool.waitForDone();
}

const TIconPixels *TIconStore::Pixels(const QString &fileName)
{
    const auto it = m_pixels.constFind(fileName);
    if (it != m_pixels.cend())
        return it->has_value() ? &**it : nullptr;
    if (GetImageType(fileName) == TImgType::imNone) {
        // The desktop's file type icons come from the icon theme, which only
        // the GUI thread may use; they are looked up, not decoded.
        TIconPixels pixels;
        if (QFileInfo(fileName).isFile()) {
            const TIcon large = GetShellIcon(fileName, false);
            const TIcon small = GetShellIcon(fileName, true);
            pixels.Large = large.IsNull() ? QImage() : IconToBitmap(large, m_large, m_large);
            pixels.Small = small.IsNull() ? pixels.Large : IconToBitmap(small, m_small, m_small);
        }
        ++m_decoded;
        return &*m_pixels.insert(fileName, pixels).value();
    }
    m_pixels.insert(fileName, std::nullopt);
    const int large = m_large;
    const int small = m_small;
    m_pool.start([this, fileName, large, small] {
        const TIconPixels pixels = DecodeIconPixels(fileName, large, small);
        QMetaObject::invokeMethod(
            this, [this, fileName, pixels] { Store(fileName, pixels); }, Qt::QueuedConnection);
    });
    return nullptr;
}

void TIconStore::Store(const QString &fileName, const TIconPixels &pixels)
{
    m_pixels.insert(fileName, pixels);
    ++m_decoded;
    emit Decoded(fileName);
}

void TIconStore::WaitForAll()
{
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
