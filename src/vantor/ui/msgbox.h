#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QString>
#include <QVariant>

namespace Vl::Tavix3::UI {

// Opens modal message boxes in the main window and waits, in a local event loop, until the
// box is closed; returns the key that closed it.
class MsgBox : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

public slots:
    int show(const QString& title, const QString& textF1 = QString(), const QString& textF2 = QString(),
             const QString& textF3 = QString(), const QString& textF4 = QString(), const QString& textF5 = QString(),
             int escKey = 0, int confirmKey = 0);
    void show(const QString& title, int timeout);
    bool sure(const QString& title = QString());
    void setTitle(QObject* messageBox, const QVariant& value);
    void setSubTitle(QObject* messageBox, const QVariant& value);
    void setClose(QObject* messageBox);

private:
    QObject* makeBox();
    int waitForBox(QObject* box, const QVariantList& arguments, bool withResult);

    QPointer<QQuickItem> m_hostItem;
};

} // namespace Vl::Tavix3::UI
