#include "ui/info_window.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <vector>

#include "ui/geometry.h"
#include "ui/placement.h"
#include "ui/texts.h"

namespace brindle::ui {

namespace {

// A transparent label over the whole window: whatever the player clicks, it is this.
class CloseArea : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (rect().contains(event->position().toPoint())) window()->close();
    }
};

QLabel* addText(QWidget* parent, const char* name, const QRect& rect, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    return label;
}

QLabel* addText(QWidget* parent, const char* name, const QRect& rect, const char* text) {
    return addText(parent, name, rect, QString::fromUtf8(text));
}

QString legend(const char* meaning) {
    return QString::fromUtf8(text::kLegendDash) + QString::fromUtf8(meaning);
}

QLabel* addPicture(QWidget* parent, const char* name, const QRect& rect, const QPixmap& pm) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(pm);
    return label;
}

}  // namespace

InfoWindow::InfoWindow(Kind kind, const Pictures& pictures, QWidget* owner) : QDialog(owner) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    // A dialog would show its owner's icon in its title bar; these windows have none.
    setWindowIcon(QIcon());

    // The heading row every window shares.
    QLabel* icon = addPicture(this, "Image1", twipRect(120, 120, 720, 720),
                              pictures.programIcon.pixmap(QSize(48, 48), 1.0));
    QLabel* heading = addText(this, "Label1", twipRect(960, 120, 2655, 255), text::kHeading);
    auto* rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setFrameStyle(QFrame::HLine | QFrame::Plain);
    rule->setLineWidth(1);
    rule->setGeometry(px(960), px(360), px(4440) - px(960) + 1, 1);

    auto* close = new CloseArea(this);
    std::vector<QWidget*> topFirst = {close};
    switch (kind) {
        case HowToPlay:
            setObjectName(QStringLiteral("howtoplay"));
            setWindowTitle(QString::fromUtf8(text::kHowToPlayCaption));
            setFixedSize(px(4875), px(1785));
            close->setObjectName(QStringLiteral("Label4"));
            close->setGeometry(twipRect(0, 0, 4935, 1815));
            topFirst.push_back(
                addText(this, "Label3", twipRect(960, 960, 3495, 615), text::kHowToPlayRule));
            topFirst.push_back(
                addText(this, "Label2", twipRect(960, 480, 3495, 495), text::kHowToPlayGoal));
            topFirst.insert(topFirst.end(), {rule, heading, icon});
            break;
        case About:
            setObjectName(QStringLiteral("about"));
            setWindowTitle(QString::fromUtf8(text::kAboutCaption));
            setFixedSize(px(4875), px(1170));
            close->setObjectName(QStringLiteral("Label4"));
            close->setGeometry(twipRect(0, 0, 4935, 1215));
            topFirst.push_back(
                addText(this, "Label3", twipRect(960, 720, 3495, 255), text::kAboutMaker));
            topFirst.push_back(
                addText(this, "Label2", twipRect(960, 480, 3495, 255), text::kAboutAuthor));
            topFirst.insert(topFirst.end(), {rule, heading, icon});
            break;
        case Apro: {
            setObjectName(QStringLiteral("apro"));
            setWindowTitle(QString::fromUtf8(text::kAproCaption));
            setFixedSize(px(4680), px(4380));
            close->setObjectName(QStringLiteral("Label8"));
            close->setGeometry(twipRect(0, 0, 4695, 4455));
            // The legend shows the very pictures the status icon shows.
            topFirst.insert(
                topFirst.end(),
                {addText(this, "Label7", twipRect(960, 3360, 3615, 855), text::kAproBar),
                 addText(this, "Label6", twipRect(1320, 3000, 3135, 255), legend(text::kStopped)),
                 addPicture(this, "Image4", twipRect(960, 3000, 240, 240),
                            pictures.of(kStoppedPicture)),
                 addText(this, "Label5", twipRect(1320, 2760, 3135, 255), legend(text::kPuzzle)),
                 addPicture(this, "Image3", twipRect(960, 2760, 240, 240),
                            pictures.of(kPuzzlePicture)),
                 addText(this, "Label4", twipRect(1320, 2520, 3135, 255), legend(text::kRunning)),
                 addPicture(this, "Image2", twipRect(960, 2520, 240, 240),
                            pictures.of(Picture::Image1)),
                 addText(this, "Label3", twipRect(960, 1800, 3495, 615), text::kAproStatus), rule,
                 icon, heading,
                 addText(this, "Label2", twipRect(960, 480, 3495, 1215), text::kAproMenus)});
            break;
        }
    }
    for (auto it = topFirst.rbegin(); it != topFirst.rend(); ++it)
        (*it)->raise();

    centreOnScreen(this);
}

}  // namespace brindle::ui
