#include "sequence/sortfilterproxymodel.h"

#include <QQmlEngine>
#include <QRegExp>

namespace Vl::Tavix3::UI {

SortFilterProxyModel::SortFilterProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    connect(this, &QAbstractItemModel::rowsInserted, this, &SortFilterProxyModel::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &SortFilterProxyModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &SortFilterProxyModel::countChanged);
}

int SortFilterProxyModel::count() const { return rowCount(); }

QObject* SortFilterProxyModel::source() const { return sourceModel(); }

void SortFilterProxyModel::setSource(QObject* source)
{
    setSourceModel(qobject_cast<QAbstractItemModel*>(source));
    if (m_complete)
        applyRoles();
}

QByteArray SortFilterProxyModel::sortRoleName() const { return m_sortRoleName; }

void SortFilterProxyModel::setSortRoleName(const QByteArray& role)
{
    if (m_sortRoleName == role)
        return;
    m_sortRoleName = role;
    if (m_complete)
        setSortRole(roleKey(role));
}

void SortFilterProxyModel::setSortOrder(Qt::SortOrder order) { sort(0, order); }

QByteArray SortFilterProxyModel::filterRoleName() const { return m_filterRoleName; }

void SortFilterProxyModel::setFilterRoleName(const QByteArray& role)
{
    if (m_filterRoleName == role)
        return;
    m_filterRoleName = role;
    if (m_complete)
        setFilterRole(roleKey(role));
    invalidateFilter();
}

QString SortFilterProxyModel::filterString() const { return filterRegExp().pattern(); }

void SortFilterProxyModel::setFilterString(const QString& pattern)
{
    setFilterRegExp(QRegExp(pattern, filterCaseSensitivity(), filterRegExp().patternSyntax()));
}

SortFilterProxyModel::FilterSyntax SortFilterProxyModel::filterSyntax() const
{
    return static_cast<FilterSyntax>(filterRegExp().patternSyntax());
}

void SortFilterProxyModel::setFilterSyntax(FilterSyntax syntax)
{
    setFilterRegExp(
        QRegExp(filterRegExp().pattern(), filterCaseSensitivity(), static_cast<QRegExp::PatternSyntax>(syntax)));
}

QJSValue SortFilterProxyModel::get(int index) const
{
    QQmlEngine* engine = qmlEngine(this);
    if (!engine)
        return {};
    QJSValue object = engine->newObject();
    if (index < 0 || index >= rowCount())
        return object;
    const QModelIndex modelIndex = this->index(index, 0);
    const QHash<int, QByteArray> roles = roleNames();
    for (auto it = roles.cbegin(); it != roles.cend(); ++it)
        object.setProperty(QString::fromUtf8(it.value()), data(modelIndex, it.key()).toString());
    return object;
}

int SortFilterProxyModel::roleKey(const QByteArray& role) const
{
    const QHash<int, QByteArray> roles = roleNames();
    for (auto it = roles.cbegin(); it != roles.cend(); ++it) {
        if (it.value() == role)
            return it.key();
    }
    return -1;
}

QHash<int, QByteArray> SortFilterProxyModel::roleNames() const
{
    const QAbstractItemModel* model = sourceModel();
    return model ? model->roleNames() : QHash<int, QByteArray>();
}

void SortFilterProxyModel::classBegin() { }

void SortFilterProxyModel::componentComplete()
{
    m_complete = true;
    applyRoles();
}

void SortFilterProxyModel::applyRoles()
{
    if (!m_sortRoleName.isEmpty())
        setSortRole(roleKey(m_sortRoleName));
    if (!m_filterRoleName.isEmpty())
        setFilterRole(roleKey(m_filterRoleName));
}

bool SortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (!filterAcceptsRowCustom(sourceRow, sourceParent))
        return false;
    const QRegExp pattern = filterRegExp();
    if (pattern.pattern().isEmpty())
        return true;
    const QAbstractItemModel* model = sourceModel();
    if (!model)
        return true;
    const QModelIndex index = model->index(sourceRow, 0, sourceParent);
    if (!m_filterRoleName.isEmpty()) {
        if (!index.isValid())
            return true;
        return model->data(index, roleKey(m_filterRoleName)).toString().contains(pattern);
    }
    const QHash<int, QByteArray> roles = model->roleNames();
    for (auto it = roles.cbegin(); it != roles.cend(); ++it) {
        if (model->data(index, it.key()).toString().contains(pattern))
            return true;
    }
    return false;
}

bool SortFilterProxyModel::filterAcceptsRowCustom(int /*sourceRow*/, const QModelIndex& /*sourceParent*/) const
{
    return true;
}

} // namespace Vl::Tavix3::UI
