#pragma once

#include <QGroupBox>
#include <functional>

// A group box whose title is a check box: its controls are enabled only
// while the box is checked.
class TCheckGroupBox : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
public:
    explicit TCheckGroupBox(QWidget *parent = nullptr);
    explicit TCheckGroupBox(const QString &caption, QWidget *parent = nullptr);

    QString Caption() const { return title(); }
    void setCaption(const QString &caption);
    bool Checked() const { return isChecked(); }
    void setChecked(bool checked);
    // Called after the user has clicked the title's check box.
    void setOnCheckClick(std::function<void()> handler) { FOnCheckClick = std::move(handler); }

    // Enables the contained controls exactly when the box is checked, also
    // those enabled or added by hand in between.
    void Invalidate();

private:
    std::function<void()> FOnCheckClick;
};
