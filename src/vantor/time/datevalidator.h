#pragma once

#include <QValidator>

namespace Vl::Tavix3::UI {

// Validates typed dates for the QML input fields.
class DateValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace Vl::Tavix3::UI
