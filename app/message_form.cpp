#include "app/message_form.h"

#include "app/user_dialogs.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <cmath>

namespace {

constexpr char kCaption[] = "Confirm";
constexpr int kIconSize = 32;
// Captions are measured on one line; the button is this much wider at least.
constexpr int kCaptionPadding = 8;
// The letters whose mean width is the dialog unit's base.
constexpr char kAverageSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAverageSampleLength = 52;
// The rule of dashes framing each part of the copied text.
constexpr int kRuleLength = 27;
constexpr char kLineEnd[] = "\r\n";

// a·b/c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c) { return static_cast<int>(std::lround(static_cast<double>(a) * b / c)); }

QString withoutAccelerators(QString caption) { return caption.remove(QLatin1Char('&')); }

// The dialog units of a font: average letter width and character height.
struct DialogUnits {
    int width;
    int height;
    int x(int units) const { return mulDiv(units, width, 4); }
    int y(int units) const { return mulDiv(units, height, 8); }
};

DialogUnits unitsOf(const QFontMetrics& metrics)
{
    return {metrics.horizontalAdvance(QLatin1String(kAverageSample)) / kAverageSampleLength, metrics.height()};
}

} // namespace

TMessageForm::TMessageForm(const QString& message)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TMessageForm"));
    setWindowTitle(QLatin1String(kCaption));
    setWindowModality(Qt::ApplicationModal);
    const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    setFont(font);
    const QFontMetrics metrics(font);
    const DialogUnits du = unitsOf(metrics);

    const int horizontalMargin = du.x(8);
    const int verticalMargin = du.y(8);
    const int horizontalSpacing = du.x(10);
    const int verticalSpacing = du.y(10);
    const int buttonHeight = du.y(14);
    const int buttonSpacing = du.x(4);
    const QString captions[] = {QStringLiteral("&Yes"), QStringLiteral("&No")};
    int buttonWidth = du.x(50);
    for (const QString& caption : captions)
        buttonWidth = std::max(buttonWidth, metrics.horizontalAdvance(withoutAccelerators(caption)) + kCaptionPadding);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    const QRect textRect = metrics.boundingRect(QRect(0, 0, screenRect.width() / 2, 0), textFlags, message);
    const int textWidth = textRect.width();
    const int textHeight = textRect.height();

    const int iconTextWidth = textWidth + horizontalSpacing + kIconSize;
    const int iconTextHeight = std::max(textHeight, kIconSize);
    const int groupWidth = 2 * buttonWidth + buttonSpacing;
    const int clientWidth = std::max(iconTextWidth, groupWidth) + 2 * horizontalMargin;
    const int clientHeight = iconTextHeight + buttonHeight + verticalSpacing + 2 * verticalMargin;

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Image"));
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(kIconSize, kIconSize));
    m_icon->setGeometry(horizontalMargin, verticalMargin, kIconSize, kIconSize);

    m_message = new QLabel(message, this);
    m_message->setObjectName(QStringLiteral("Message"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_message->setGeometry(horizontalMargin + kIconSize + horizontalSpacing, verticalMargin, textWidth, textHeight);

    const int buttonTop = iconTextHeight + verticalMargin + verticalSpacing;
    int buttonLeft = (clientWidth - groupWidth) / 2;
    m_yes = new QPushButton(captions[0], this);
    m_yes->setObjectName(QStringLiteral("Yes"));
    m_yes->setDefault(true);
    m_yes->setGeometry(buttonLeft, buttonTop, buttonWidth, buttonHeight);
    buttonLeft += buttonWidth + buttonSpacing;
    m_no = new QPushButton(captions[1], this);
    m_no->setObjectName(QStringLiteral("No"));
    m_no->setGeometry(buttonLeft, buttonTop, buttonWidth, buttonHeight);
    connect(m_yes, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(m_no, &QPushButton::clicked, this, [this] { done(mrNo); });
    m_yes->setFocus();

    setFixedSize(clientWidth, clientHeight);
    move(screenRect.x() + (screenRect.width() - clientWidth) / 2,
         screenRect.y() + (screenRect.height() - clientHeight) / 2);
}

TMessageForm::~TMessageForm() = default;

QString TMessageForm::clipboardText() const
{
    const QString rule = QString(kRuleLength, QLatin1Char('-')) + QLatin1String(kLineEnd);
    QString buttons;
    for (const QPushButton* button : {m_yes, m_no})
        buttons += withoutAccelerators(button->text()) + QLatin1String("   ");
    return rule + windowTitle() + QLatin1String(kLineEnd) + rule + m_message->text() + QLatin1String(kLineEnd) + rule
        + buttons + QLatin1String(kLineEnd) + rule;
}

void TMessageForm::reject() { done(mrCancel); }

void TMessageForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_C && event->modifiers() == Qt::ControlModifier) {
        MessageBeep(0);
        QGuiApplication::clipboard()->setText(clipboardText());
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_no->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
