#pragma once

#include <QMetaMethod>
#include <QMetaObject>
#include <QStringList>

namespace TestSupport {

// The call forms QML reaches on a class of its own (not those of its bases): one normalised
// signature per invokable, a default argument making a form of its own, sorted.
inline QStringList invokableForms(const QMetaObject& metaObject)
{
    QStringList forms;
    for (int i = metaObject.methodOffset(); i < metaObject.methodCount(); ++i) {
        const QMetaMethod method = metaObject.method(i);
        if (method.methodType() == QMetaMethod::Method)
            forms << QString::fromLatin1(method.methodSignature());
    }
    forms.sort();
    return forms;
}

} // namespace TestSupport
