#pragma once

#include <QMutex>
#include <QObject>
#include <QQueue>

namespace Vl::Tavix3::UI {

// Turns on-screen buttons into synthetic key presses, so that touch and keys share one path.
class KeyEmitter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

public slots:
    void emitKey(int key, QObject* receiver = nullptr, bool altPressed = false, bool shiftPressed = false,
                 bool ctrlPressed = false, uint nativeScanCode = 0);
    void pressKey(int key, QObject* receiver = nullptr);
    void releaseKey(int key, QObject* receiver = nullptr);
    void handleKey(QObject* receiver, const QString& parentName = QString());
    void handleKey(const QString& parentName = QString());
    bool isContainingNumbers();

private:
    // The target of a key: the focus item when it handles function keys itself, else the
    // receiver or the application's focus object. Sets functionKeyTarget for the first case.
    QObject* target(int key, QObject* receiver, bool& functionKeyTarget) const;

    QQueue<int> pendingKeys;
    QMutex mutex;
};

} // namespace Vl::Tavix3::UI
