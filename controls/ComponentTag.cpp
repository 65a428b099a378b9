#include "controls/ComponentTag.h"

#include "controls/Component.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

namespace {

constexpr const char *TagProperty = "Tag";

} // namespace

int ComponentTag(const QObject *Object)
{
    if (!Object)
        return 0;
    if (const auto *component = dynamic_cast<const LoadedComponent *>(Object))
        return component->Tag;
    if (const auto *menu = qobject_cast<const QMenu *>(Object))
        return ComponentTag(menu->menuAction());
    if (const auto *action = qobject_cast<const QAction *>(Object)) {
        bool isNumber = false;
        const int tag = action->data().toInt(&isNumber);
        return isNumber ? tag : 0;
    }
    return Object->property(TagProperty).toInt();
}

void SetComponentTag(QObject *Object, int Tag)
{
    if (auto *component = dynamic_cast<LoadedComponent *>(Object))
        component->Tag = Tag;
    else if (auto *menu = qobject_cast<QMenu *>(Object))
        menu->menuAction()->setData(Tag);
    else if (auto *action = qobject_cast<QAction *>(Object))
        action->setData(Tag);
    else if (Object)
        Object->setProperty(TagProperty, Tag);
}
