#include "ui/FormResource.h"

#include "core/Component.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "rtti/ClassInfo.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"

#include <QFile>

std::string FormResourcePath(TClass cls) {
    return ":/forms/" + cls->Name + ".form";
}

bool FormResourceExists(TClass cls) {
    return QFile::exists(QString::fromStdString(FormResourcePath(cls)));
}

void ReadFormResource(TComponent* instance, TClass cls) {
    QFile file(QString::fromStdString(FormResourcePath(cls)));
    if (!file.open(QIODevice::ReadOnly)) throw EResNotFound(Format("Resource %s not found", cls->Name));
    const QByteArray bytes = file.readAll();
    TMemoryStream text;
    text.WriteBuffer(bytes.constData(), bytes.size());
    text.SetPosition(0);
    TMemoryStream binary;
    ObjectTextToBinary(text, binary);
    binary.SetPosition(0);
    TReader reader(binary, 4096);
    reader.ReadRootComponent(instance);
}
