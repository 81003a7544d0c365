#include "tests/support/PageLook.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <cmath>
#include <optional>

#include "tests/support/CaptionFit.h"

namespace mnemex::testsupport {

namespace {

// Half a pixel of slack for rounding between the measuring and the drawing.
constexpr double kSlack = 0.5;

// The control's layout name, or that of the control it is part of (the slider inside a
// Slider), or its class.
QString NameOf(const QWidget* w) {
    for (const QWidget* named = w; named != nullptr; named = named->parentWidget()) {
        if (!named->objectName().isEmpty())
            return named->objectName();
        if (named->isWindow())
            break;
    }
    return QString::fromLatin1(w->metaObject()->className());
}

QString Problem(const QWidget* w, const QString& text, const QString& why) {
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return NameOf(w) + QStringLiteral(": \"") + shown + QStringLiteral("\" (") + why +
           QLatin1Char(')');
}

// Controls that belong to another control (the scroll bars of a list, the parts of a
// combo box) are that control's business, not the page's.
bool InsideAnotherControl(const QWidget* w, const QWidget* page) {
    for (const QWidget* up = w->parentWidget(); up != nullptr && up != page;
         up = up->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(up) != nullptr ||
            qobject_cast<const QComboBox*>(up) != nullptr)
            return true;
    }
    return false;
}

std::optional<QString> ChoiceClipped(const QAbstractButton* box) {
    const QSize need = box->sizeHint();
    if (need.width() > box->width() || need.height() > box->height())
        return Problem(box, box->text(),
                       QStringLiteral("needs %1 x %2 px, has %3 x %4")
                           .arg(need.width())
                           .arg(need.height())
                           .arg(box->width())
                           .arg(box->height()));
    return std::nullopt;
}

std::optional<QString> GroupTitleClipped(const QGroupBox* group) {
    if (group->title().isEmpty())
        return std::nullopt;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = group->alignment();
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    const double need = QFontMetricsF(group->font(), group).horizontalAdvance(group->title());
    if (title.left() + need > group->width() + kSlack)
        return Problem(group, group->title(), QStringLiteral("title wider than the frame"));
    return std::nullopt;
}

// Texts a graphics view (the chart) had to shorten.
QStringList ElidedSceneTexts(const QGraphicsView* view) {
    QStringList problems;
    if (view->scene() == nullptr)
        return problems;
    const QString ellipsis(QChar(0x2026));
    for (const QGraphicsItem* item : view->scene()->items()) {
        if (!item->isVisible())
            continue;
        QString text;
        if (const auto* t = dynamic_cast<const QGraphicsTextItem*>(item))
            text = t->toPlainText();
        else if (const auto* s = dynamic_cast<const QGraphicsSimpleTextItem*>(item))
            text = s->text();
        if (text.endsWith(QStringLiteral("...")) || text.endsWith(ellipsis))
            problems << Problem(view, text, QStringLiteral("shortened to fit"));
    }
    return problems;
}

double Luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

}  // namespace

QStringList ClippedTexts(QWidget* page) {
    // Labels and push buttons as every page test measures them.
    QStringList problems = ClippedCaptions(*page);
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page))
            continue;
        std::optional<QString> problem;
        if (const auto* check = qobject_cast<QCheckBox*>(w))
            problem = ChoiceClipped(check);
        else if (const auto* option = qobject_cast<QRadioButton*>(w))
            problem = ChoiceClipped(option);
        else if (const auto* group = qobject_cast<QGroupBox*>(w))
            problem = GroupTitleClipped(group);
        else if (const auto* view = qobject_cast<QGraphicsView*>(w))
            problems << ElidedSceneTexts(view);
        if (problem)
            problems << *problem;
    }
    return problems;
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QStringList FaintTexts(QWidget* page) {
    QStringList problems;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page) || InsideAnotherControl(w, page))
            continue;
        const QPalette::ColorGroup group = w->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QPalette& p = w->palette();
        QColor text;
        QColor back;
        QString shown;
        if (const auto* edit = qobject_cast<QLineEdit*>(w)) {
            text = p.color(group, QPalette::Text);
            back = p.color(group, QPalette::Base);
            shown = edit->text();
        } else if (const auto* label = qobject_cast<QLabel*>(w)) {
            text = p.color(group, QPalette::WindowText);
            back = p.color(group, QPalette::Window);
            shown = label->text();
        } else if (const auto* button = qobject_cast<QPushButton*>(w)) {
            text = p.color(group, QPalette::ButtonText);
            back = p.color(group, QPalette::Button);
            shown = button->text();
        } else if (const auto* choice = qobject_cast<QAbstractButton*>(w)) {
            text = p.color(group, QPalette::WindowText);
            back = p.color(group, QPalette::Window);
            shown = choice->text();
        } else {
            continue;
        }
        if (shown.isEmpty())
            continue;
        const double ratio = ContrastRatio(text, back);
        if (ratio < 4.5)
            problems << Problem(w, shown, QStringLiteral("contrast %1:1").arg(ratio, 0, 'f', 1));
    }
    return problems;
}

QStringList UnnamedControls(QWidget* page) {
    QStringList problems;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page) || InsideAnotherControl(w, page))
            continue;
        const bool control = qobject_cast<QAbstractButton*>(w) != nullptr ||
                             qobject_cast<QLineEdit*>(w) != nullptr ||
                             qobject_cast<QAbstractScrollArea*>(w) != nullptr ||
                             qobject_cast<QComboBox*>(w) != nullptr ||
                             qobject_cast<QAbstractSlider*>(w) != nullptr ||
                             qobject_cast<QProgressBar*>(w) != nullptr ||
                             w->focusPolicy() != Qt::NoFocus;
        if (!control)
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a != nullptr ? a->text(QAccessible::Name) : w->accessibleName();
        if (name.trimmed().isEmpty())
            problems << NameOf(w) + QStringLiteral(" (") +
                            QString::fromLatin1(w->metaObject()->className()) +
                            QStringLiteral(") has no accessible name");
    }
    return problems;
}

QStringList TabOrder(QWidget* page) {
    QStringList order;
    QWidget* w = page->nextInFocusChain();
    for (int guard = 0; w != page && guard < 1000; ++guard, w = w->nextInFocusChain()) {
        if (w->window() != page || !w->isVisibleTo(page) || !w->isEnabled() ||
            (w->focusPolicy() & Qt::TabFocus) == 0 || InsideAnotherControl(w, page))
            continue;
        // A group of option buttons is one stop (Qt moves it to the button last focused):
        // it goes by the name of the frame around it.
        const auto* option = qobject_cast<const QRadioButton*>(w);
        const QString stop =
            option != nullptr && option->autoExclusive() ? NameOf(w->parentWidget()) : NameOf(w);
        if (order.isEmpty() || order.back() != stop)
            order << stop;
    }
    return order;
}

}  // namespace mnemex::testsupport
