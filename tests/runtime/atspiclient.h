#pragma once
// A small client of the AT-SPI accessibility bus, as a screen reader sees another program:
// the tree of its accessible objects with their roles, names and states, and their actions.
// Kept free of Qt so that GLib's headers and Qt's keywords never meet.

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _AtspiAccessible;

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

private:
    friend Node application(const std::string& name);
    explicit Node(_AtspiAccessible* acc);  // takes the reference
    std::shared_ptr<_AtspiAccessible> acc_;
};

// Connects to the accessibility bus (starting it, as the session's launcher does, if it
// is not running). False, with the reason, when there is none to reach.
bool connect(std::string& why);
// The running program of that name on the bus, or an empty node.
Node application(const std::string& name);
// Lets the bus's messages in (the client's side of the event loop).
void pump();

}  // namespace atspi
