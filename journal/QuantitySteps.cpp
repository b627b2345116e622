#include "QuantitySteps.h"

#include "Numeric.h"

#include <QLocale>

#include <cmath>
#include <stdexcept>

namespace kelvora {

namespace {

std::optional<float> singleOf(const QString& text) {
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    return static_cast<float>(*value);
}

} // namespace

QString singleText(float value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(value), 'g', 7);
}

std::optional<QString> mealStepUp(const QString& text, Currency increment) {
    const std::optional<Currency> quantity = Currency::fromText(text);
    if (!quantity)
        return std::nullopt;
    try {
        return (*quantity + increment).toString();
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

std::optional<QString> mealStepDown(const QString& text, Currency increment) {
    const std::optional<float> single = singleOf(text);
    if (!single)
        return std::nullopt;
    const std::optional<Currency> quantity = Currency::fromDouble(static_cast<double>(*single));
    if (!quantity)
        return std::nullopt;
    try {
        return singleText(static_cast<float>((*quantity - increment).toDouble()));
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

std::optional<QString> singleStep(const QString& text, float delta) {
    const std::optional<float> single = singleOf(text);
    if (!single)
        return std::nullopt;
    const float result = *single + delta;
    if (!std::isfinite(result))
        return std::nullopt;
    return singleText(result);
}

} // namespace kelvora
