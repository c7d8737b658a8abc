#include "calc/sweeprangeboxes.h"

#include "calc/calcengine.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* addBox(QHBoxLayout& row, QWidget* parent, const char* name, const QString& label)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(70);
    auto* caption = new QLabel(label, parent);
    caption->setBuddy(box);
    row.addWidget(caption);
    row.addWidget(box, 1);
    return box;
}

} // namespace

SweepRangeBoxes::SweepRangeBoxes(QWidget* parent)
    : QWidget(parent)
    , parameter_(new QComboBox(this))
    , spacing_(new QComboBox(this))
{
    parameter_->setObjectName(QStringLiteral("ParameterBox"));
    parameter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    spacing_->setObjectName(QStringLiteral("SpacingKind"));
    spacing_->addItems({QStringLiteral("Step:"), QStringLiteral("Points:")});
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(parameter_, 2);
    from_ = addBox(*row, this, "FromBox", QStringLiteral("&From:"));
    to_ = addBox(*row, this, "ToBox", QStringLiteral("&To:"));
    row->addWidget(spacing_);
    amount_ = new QLineEdit(this);
    amount_->setObjectName(QStringLiteral("SpacingBox"));
    amount_->setMinimumWidth(70);
    row->addWidget(amount_, 1);

    connect(parameter_, &QComboBox::currentIndexChanged, this,
            [this] { emit parameterChosen(symbol()); });
    for (QLineEdit* box : {from_, to_, amount_})
        connect(box, &QLineEdit::returnPressed, this, &SweepRangeBoxes::entered);
}

void SweepRangeBoxes::setParameters(const QList<std::pair<QString, QString>>& parameters)
{
    const QSignalBlocker quiet(parameter_);
    parameter_->clear();
    for (const auto& [symbol, shown] : parameters)
        parameter_->addItem(shown, symbol);
}

QString SweepRangeBoxes::symbol() const
{
    return parameter_->currentData().toString();
}

void SweepRangeBoxes::setSymbol(const QString& symbol)
{
    parameter_->setCurrentIndex(parameter_->findData(symbol));
}

void SweepRangeBoxes::setRange(const QString& from, const QString& to, Spacing spacing, const QString& amount)
{
    from_->setText(from);
    to_->setText(to);
    spacing_->setCurrentIndex(spacing == Spacing::Step ? 0 : 1);
    amount_->setText(amount);
}

std::optional<Sweep::Range> SweepRangeBoxes::range(const ReadNumber& number, QString& problem) const
{
    const QString parameter = symbol();
    const auto refuse = [&](const QLineEdit* box, const QString& boxName, const QString& why) {
        problem = QStringLiteral("The range of %1: \"%2\" in %3 %4.").arg(parameter, box->text(), boxName, why);
        return std::nullopt;
    };
    const QString notANumber = QStringLiteral("is not a number");
    const std::optional<double> from = number(parameter, from_->text());
    if (!from)
        return refuse(from_, QStringLiteral("From"), notANumber);
    const std::optional<double> to = number(parameter, to_->text());
    if (!to)
        return refuse(to_, QStringLiteral("To"), notANumber);
    QString why;
    if (spacing_->currentIndex() == 1) {
        // A count of values, not one of the parameter's.
        const std::optional<double> count = CalcEngine::number(amount_->text());
        std::optional<Sweep::Range> range = count ? Sweep::Range::counted(*from, *to, *count, why) : std::nullopt;
        if (!range)
            return refuse(amount_, QStringLiteral("Points"), count ? why : notANumber);
        return range;
    }
    const std::optional<double> step = number(parameter, amount_->text());
    if (!step)
        return refuse(amount_, QStringLiteral("Step"), notANumber);
    std::optional<Sweep::Range> range = Sweep::Range::stepped(*from, *to, *step, why);
    if (!range)
        problem = QStringLiteral("The range of %1 %2.").arg(parameter, why);
    return range;
}
