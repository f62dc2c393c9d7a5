#include "ui/keyemitter.h"

#include "core/applicationservices.h"
#include "core/sharedapplication.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QQuickItem>
#include <QQuickWindow>

namespace Vl::Tavix3::UI {

namespace {

QString portableText(int key)
{
    return QKeySequence(key).toString(QKeySequence::PortableText);
}

void postPress(QObject* target, int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0)
{
    if (scanCode != 0)
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers, scanCode, 0, 0,
                                                          portableText(key), false, 1));
    else
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyPress, key, modifiers, portableText(key), false, 1));
}

void postRelease(QObject* target, int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0)
{
    if (scanCode != 0)
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyRelease, key, modifiers, scanCode, 0, 0, QString(), false, 1));
    else
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers, QString(), false, 1));
}

} // namespace

QObject* KeyEmitter::target(int key, QObject* receiver, bool& functionKeyTarget) const
{
    functionKeyTarget = false;
    if (const QSharedPointer<ApplicationServices> app = sharedApplicationServices()) {
        if (QQuickWindow* window = app->mainWindow()) {
            QQuickItem* focusItem = window->activeFocusItem();
            if (!focusItem)
                return nullptr;
            const QVariant handles = focusItem->property("handleFunctionButtons");
            if (handles.isValid() && handles.toBool() && key >= Qt::Key_F1 && key <= Qt::Key_F15) {
                functionKeyTarget = true;
                return focusItem;
            }
        }
    }
    if (receiver)
        return receiver;
    return QGuiApplication::focusObject();
}

void KeyEmitter::emitKey(int key, QObject* receiver, bool altPressed, bool shiftPressed, bool ctrlPressed,
                         uint nativeScanCode)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (altPressed)
        modifiers |= Qt::AltModifier;
    if (shiftPressed)
        modifiers |= Qt::ShiftModifier;
    if (ctrlPressed)
        modifiers |= Qt::ControlModifier;

    bool functionKeyTarget = false;
    QObject* to = target(key, receiver, functionKeyTarget);
    if (!to)
        return;
    if (functionKeyTarget) {
        postPress(to, key, Qt::NoModifier);
        postRelease(to, key, Qt::NoModifier);
        return;
    }
    postPress(to, key, modifiers, nativeScanCode);
    postRelease(to, key, modifiers, nativeScanCode);
}

void KeyEmitter::pressKey(int key, QObject* receiver)
{
    bool functionKeyTarget = false;
    if (QObject* to = target(key, receiver, functionKeyTarget))
        postPress(to, key, Qt::NoModifier);
}

void KeyEmitter::releaseKey(int key, QObject* receiver)
{
    bool functionKeyTarget = false;
    if (QObject* to = target(key, receiver, functionKeyTarget))
        postRelease(to, key, Qt::NoModifier);
}

void KeyEmitter::handleKey(QObject* receiver, const QString& parentName)
{
    QMutexLocker locker(&mutex);
    if (!receiver)
        return;
    QObject* to = receiver;
    if (!parentName.isEmpty() && receiver->objectName() != parentName) {
        QObject* ancestor = receiver;
        while (ancestor->parent() && ancestor->objectName() != parentName)
            ancestor = ancestor->parent();
        to = ancestor;
    }
    while (!pendingKeys.isEmpty()) {
        const int key = pendingKeys.dequeue();
        postPress(to, key, Qt::NoModifier);
        postRelease(to, key, Qt::NoModifier);
    }
}

void KeyEmitter::handleKey(const QString& parentName)
{
    handleKey(QGuiApplication::focusObject(), parentName);
}

bool KeyEmitter::isContainingNumbers()
{
    for (int key : qAsConst(pendingKeys)) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return true;
    }
    return false;
}

} // namespace Vl::Tavix3::UI
