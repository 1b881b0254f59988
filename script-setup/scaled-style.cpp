#include "script-setup/scaled-style.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QChildEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <memory>

namespace page_support {
namespace {

class ScaledStyle : public QProxyStyle
{
public:
    ScaledStyle(QStyle *base, double factor)
        : QProxyStyle(base)
        , factor_(factor)
    {}

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
        case PM_SmallIconSize:
        case PM_ListViewIconSize:
            return qRound(size * factor_);
        default:
            return size;
        }
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override
    {
        // While drawing, the option is the denser one already.
        if (drawing_ || !button_of(control))
            return QProxyStyle::subControlRect(control, option, part, widget);
        QRect rect;
        with_denser(control, option, widget, [&](const QStyleOptionComplex *dense) {
            rect = QProxyStyle::subControlRect(control, dense, part, widget);
        });
        const int grow = growth(control, option, widget);
        if (!grow)
            return rect;
        // Left to right, the buttons grow leftwards into the field.
        rect = visualRect(option->direction, option->rect, rect);
        const bool spin = control == CC_SpinBox;
        if (spin ? part == SC_SpinBoxUp || part == SC_SpinBoxDown : part == SC_ComboBoxArrow)
            rect.setLeft(rect.left() - grow);
        else if (part == (spin ? SC_SpinBoxEditField : SC_ComboBoxEditField))
            rect.setRight(rect.right() - grow);
        return visualRect(option->direction, option->rect, rect);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        const auto *complex = qstyleoption_cast<const QStyleOptionComplex *>(option);
        const ComplexControl control = type == CT_SpinBox    ? CC_SpinBox
                                       : type == CT_ComboBox ? CC_ComboBox
                                                             : CC_CustomBase;
        if (complex && button_of(control)) {
            const int width = button_width(control, complex, widget);
            size.rwidth() += qRound(width * factor_) - width;
        }
        return size;
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override
    {
        with_denser(control, option, widget, [&](const QStyleOptionComplex *dense) {
            drawing_ = dense != option;
            QProxyStyle::drawComplexControl(control, dense, painter, widget);
            drawing_ = false;
        });
    }

private:
    static SubControl button_of(ComplexControl control)
    {
        return control == CC_SpinBox    ? SC_SpinBoxUp
               : control == CC_ComboBox ? SC_ComboBoxArrow
                                        : SC_None;
    }

    int button_width(ComplexControl control, const QStyleOptionComplex *option,
                     const QWidget *widget) const
    {
        return QProxyStyle::subControlRect(control, option, button_of(control), widget).width();
    }

    // What the base style leaves to do to a button of a denser option.
    int growth(ComplexControl control, const QStyleOptionComplex *option,
               const QWidget *widget) const
    {
        int dense_width = 0;
        with_denser(control, option, widget, [&](const QStyleOptionComplex *dense) {
            dense_width = button_width(control, dense, widget);
        });
        return std::max(0, qRound(button_width(control, option, widget) * factor_) - dense_width);
    }

    // Styles that size their arrows and buttons by the screen's density read
    // it from the option's font metrics: they get a screen that many times
    // denser.
    template <class Draw>
    void with_denser(ComplexControl control, const QStyleOptionComplex *option,
                     const QWidget *widget, Draw draw) const
    {
        if (control == CC_SpinBox)
            if (const auto *spin = qstyleoption_cast<const QStyleOptionSpinBox *>(option)) {
                const QStyleOptionSpinBox dense = denser(*spin, widget);
                return draw(&dense);
            }
        if (control == CC_ComboBox)
            if (const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option)) {
                const QStyleOptionComboBox dense = denser(*combo, widget);
                return draw(&dense);
            }
        draw(option);
    }

    template <class Option> Option denser(const Option &option, const QWidget *widget) const
    {
        Option copy(option);
        QImage device(1, 1, QImage::Format_Mono);
        const int dots = qRound(option.fontMetrics.fontDpi() * factor_ / 0.0254);
        device.setDotsPerMeterX(dots);
        device.setDotsPerMeterY(dots);
        copy.fontMetrics = QFontMetrics(widget ? widget->font() : QApplication::font(), &device);
        return copy;
    }

    const double factor_;
    mutable bool drawing_ = false; // GUI thread only, like every page
};

bool draws_marks(const QWidget *w)
{
    return qobject_cast<const QCheckBox *>(w) || qobject_cast<const QRadioButton *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QGroupBox *>(w) || qobject_cast<const QAbstractItemView *>(w) ||
           qobject_cast<const QMenu *>(w);
}

// A style given to a widget reaches none of its children, so it is handed to
// each control as it is polished, however deep in the page it was added.
class StyleSpreader : public QObject
{
public:
    StyleSpreader(std::shared_ptr<QStyle> style, QWidget *page)
        : QObject(page)
        , style_(std::move(style))
    {
        take(page);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (child->isWidgetType())
                take(static_cast<QWidget *>(child));
        }
        return false;
    }

private:
    void take(QWidget *root)
    {
        QWidgetList widgets = root->findChildren<QWidget *>();
        widgets.prepend(root);
        for (QWidget *w : widgets) {
            w->installEventFilter(this);
            // A style set on purpose stays.
            if (!draws_marks(w) || w->testAttribute(Qt::WA_SetStyle))
                continue;
            w->setStyle(style_.get());
            // Rows taken out of the page may outlive it a little.
            std::shared_ptr<QStyle> keep = style_;
            QObject::connect(w, &QObject::destroyed, [keep] {});
        }
    }

    std::shared_ptr<QStyle> style_;
};

} // namespace

void scale_indicators(QWidget *page, double factor)
{
    if (!page || qFuzzyCompare(factor, 1.0))
        return;
    // A proxy owns the style it wraps: it gets a copy of the application's.
    QStyle *base = QStyleFactory::create(QApplication::style()->objectName());
    if (!base)
        return;
    new StyleSpreader(std::make_shared<ScaledStyle>(base, factor), page);
}

} // namespace page_support
