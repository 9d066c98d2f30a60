// frmAbout: the program's name, version and credits. A click on a label plays a cue.
#pragma once

#include <QDialog>
#include <QLabel>

namespace orva {
struct ConfigPart;

// A label that reports a mouse click.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  Q_SIGNALS:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(ConfigPart& form, QWidget* parent = nullptr);
    QList<ClickLabel*> labels() const { return findChildren<ClickLabel*>(); }

  private:
    ConfigPart& form_;
};

}  // namespace orva
