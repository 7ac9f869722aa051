#pragma once

#include "catalogue/AppIcons.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <optional>

// The pixels of entry icons for a list, decoded when they are first asked
// for (that is, drawn) and each file once: at the sizes the list draws, on a
// thread of their own, one file at a time, so that neither a large picture
// nor a large catalogue holds up the window or much memory. Lives on the GUI
// thread.
class TIconStore : public QObject
{
    Q_OBJECT
public:
    // large and small: the square sizes drawn, in device pixels.
    TIconStore(int large, int small, QObject *parent = nullptr);
    // Waits for the file being decoded; the others are dropped.
    ~TIconStore() override;

    int LargeSize() const { return m_large; }
    int SmallSize() const { return m_small; }

    // The file's pixels, or nullptr while they are being decoded (the first
    // call starts that; Decoded tells when they are there).
    const TIconPixels *Pixels(const QString &fileName);
    // Everything asked for so far decoded and announced (tests, benchmarks).
    void WaitForAll();
    // Files decoded so far.
    int DecodedCount() const { return m_decoded; }

signals:
    void Decoded(const QString &fileName);

private:
    void Store(const QString &fileName, const TIconPixels &pixels);

    int m_large;
    int m_small;
    int m_decoded = 0;
    // No entry: never asked for; an empty optional: being decoded.
    QHash<QString, std::optional<TIconPixels>> m_pixels;
    QThreadPool m_pool;
};
