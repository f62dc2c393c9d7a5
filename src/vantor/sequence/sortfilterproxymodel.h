#pragma once

#include <QSortFilterProxyModel>

namespace Vl::Tavix3::UI {

// The QML filter model over a folder listing.
class SortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
};

} // namespace Vl::Tavix3::UI
