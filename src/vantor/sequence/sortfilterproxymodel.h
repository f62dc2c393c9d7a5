#pragma once

#include <QByteArray>
#include <QJSValue>
#include <QQmlParserStatus>
#include <QSortFilterProxyModel>
#include <QString>

namespace Vl::Tavix3::UI {

// A sorting and filtering proxy for the screens: roles are named as the screens name them, and the
// filter pattern matches the text of one named role, or of any role when none is named.
class SortFilterProxyModel : public QSortFilterProxyModel, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)

    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QObject* source READ source WRITE setSource)
    Q_PROPERTY(QByteArray sortRole READ sortRoleName WRITE setSortRoleName)
    Q_PROPERTY(Qt::SortOrder sortOrder READ sortOrder WRITE setSortOrder)
    Q_PROPERTY(QByteArray filterRole READ filterRoleName WRITE setFilterRoleName)
    Q_PROPERTY(QString filterString READ filterString WRITE setFilterString)
    Q_PROPERTY(FilterSyntax filterSyntax READ filterSyntax WRITE setFilterSyntax)

public:
    // The pattern syntaxes of the filter.
    enum FilterSyntax { RegExp = 0, Wildcard = 1, FixedString = 2 };
    Q_ENUM(FilterSyntax)

    explicit SortFilterProxyModel(QObject* parent = nullptr);

    int count() const;

    QObject* source() const;
    void setSource(QObject* source);

    QByteArray sortRoleName() const;
    void setSortRoleName(const QByteArray& role);

    void setSortOrder(Qt::SortOrder order);

    QByteArray filterRoleName() const;
    void setFilterRoleName(const QByteArray& role);

    QString filterString() const;
    void setFilterString(const QString& pattern);

    FilterSyntax filterSyntax() const;
    void setFilterSyntax(FilterSyntax syntax);

    // Row `index` as a script object with one text property per role; empty outside the rows.
    Q_INVOKABLE QJSValue get(int index) const;
    // The number of the source's role of that name, or -1.
    Q_INVOKABLE int roleKey(const QByteArray& role) const;

    QHash<int, QByteArray> roleNames() const override;

    void classBegin() override;
    void componentComplete() override;

signals:
    void countChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // A further test of a row before the pattern is matched; every row passes by default.
    virtual bool filterAcceptsRowCustom(int sourceRow, const QModelIndex& sourceParent) const;

private:
    void applyRoles();

    QByteArray m_sortRoleName;
    QByteArray m_filterRoleName;
    // Until the declaring screen has finished creating the object, the source's roles may be unknown.
    bool m_complete = false;
};

} // namespace Vl::Tavix3::UI
