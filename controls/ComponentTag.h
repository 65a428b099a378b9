#pragma once
// The Tag of any object on a form: our controls carry LoadedComponent::Tag, an action keeps its tag in
// QAction::data(), a menu on its menuAction(); the menu bar and plain Qt controls carry it as the
// dynamic property "Tag".

class QObject;

int ComponentTag(const QObject *Object);
void SetComponentTag(QObject *Object, int Tag);
