// What assistive technology sees of the widgets we draw ourselves: the chat view's lines and the
// player list's rows as list items, and the events that tell it of their changes.
#pragma once

namespace orva {
class ChatViewWidget;
class LstBoxWidget;

// Installs the factory that gives the chat view and the player list their accessible interfaces.
// Idempotent; the widgets call it when they are made.
void installAccessibleFactory();

// Tells assistive technology what changed since the last call: new chat lines, a reloaded
// document, the current line. Call only while QAccessible::isActive(), so that nobody pays for
// it when nobody listens.
void updateAccessibleChat(const ChatViewWidget& view);
// The same for the player list: its rows changed, or the selection moved.
void updateAccessibleList(const LstBoxWidget& list);

}  // namespace orva
