#pragma once

#include "calc/sweep.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

class QComboBox;
class QLineEdit;

// One swept parameter as the sweep window takes it: which one (ParameterBox), from (FromBox) to
// (ToBox), and the step between its values or the number of them (SpacingKind, SpacingBox).
class SweepRangeBoxes : public QWidget
{
    Q_OBJECT
public:
    enum class Spacing { Step, Points };
    // How a text typed for the parameter of symbol becomes the number the formula computes with;
    // nullopt when it is none.
    using ReadNumber = std::function<std::optional<double>(const QString& symbol, const QString& text)>;

    explicit SweepRangeBoxes(QWidget* parent = nullptr);

    // The parameters to choose from: their symbols, and what the box shows for each.
    void setParameters(const QList<std::pair<QString, QString>>& parameters);
    QString symbol() const;
    void setSymbol(const QString& symbol);
    void setRange(const QString& from, const QString& to, Spacing spacing, const QString& amount);
    // The range typed; nullopt with a sentence for the user in problem.
    std::optional<Sweep::Range> range(const ReadNumber& number, QString& problem) const;

signals:
    void parameterChosen(const QString& symbol);
    // Enter in one of its text boxes.
    void entered();

private:
    QComboBox* parameter_;
    QLineEdit* from_;
    QLineEdit* to_;
    QComboBox* spacing_;
    QLineEdit* amount_;
};
