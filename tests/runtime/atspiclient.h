#pragma once
// A small client of the AT-SPI accessibility bus, as a screen reader sees another program:
// the tree of its accessible objects with their roles, names and states, and their actions.
// Kept free of Qt so that GLib's headers and Qt's keywords never meet.

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _AtspiAccessible;
struct _AtspiEvent;

namespace atspi {

class Node {
public:
    Node() = default;
    explicit operator bool() const { return bool(acc_); }

    std::string role() const;  // the AT-SPI role name: "push button", "panel", "list" ...
    std::string name() const;
    bool showing() const;
    bool checked() const;
    bool selected() const;
    bool isDefault() const;
    bool focused() const;
    bool focusable() const;
    bool editable() const;
    bool operator==(const Node& other) const { return acc_ == other.acc_; }

    // Its text (the Text interface), all of it and the part selected; "" when it has none.
    std::string text() const;
    std::string selectedText() const;
    // Asks the program to give it the focus, as a screen reader does on moving to it.
    bool grabFocus() const;

    std::vector<Node> children() const;
    // Depth first: every node below this one (not this one) for which test holds.
    std::vector<Node> findAll(const std::function<bool(const Node&)>& test) const;
    Node find(const std::function<bool(const Node&)>& test) const;
    // Runs the action of that name ("Press", "Toggle"); false when there is none or it fails.
    bool act(const std::string& action) const;
    // Asks the program afresh from now on instead of answering from what the bus sent.
    void uncached() const;

    // Its place among its parent's children.
    int indexInParent() const;
    // What a screen reader reads after the name: the tooltip, for most controls.
    std::string description() const;

private:
    friend Node application(const std::string& name);
    friend class Events;
    explicit Node(_AtspiAccessible* acc);  // takes the reference
    std::shared_ptr<_AtspiAccessible> acc_;
};

// The events of one type ("object:text-changed:insert", or a whole class: "object:") the
// program sends from now on, as pump() lets them in.
class Events {
public:
    struct Event {
        std::string type;  // "object:text-changed:insert"
        Node source;
        std::string text;  // what the event carries as text: the inserted text, say
    };
    explicit Events(const std::string& type);
    ~Events();
    Events(const Events&) = delete;
    Events& operator=(const Events&) = delete;
    std::vector<Event> seen;

private:
    static void record(_AtspiEvent* event, void* events);
    std::string type_;
    void* listener_ = nullptr;
};

// Connects to the accessibility bus (starting it, as the session's launcher does, if it
// is not running). False, with the reason, when there is none to reach.
bool connect(std::string& why);
// The running program of that name on the bus, or an empty node.
Node application(const std::string& name);
// Lets the bus's messages in (the client's side of the event loop).
void pump();

}  // namespace atspi
