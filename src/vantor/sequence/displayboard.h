#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// The 48 x 16 LED display-board model.
class Displayboard : public QObject
{
    Q_OBJECT

public:
    explicit Displayboard(QObject* parent = nullptr);
};

} // namespace Vl::Tavix3::UI
