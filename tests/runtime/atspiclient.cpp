#include "atspiclient.h"

#include <atspi/atspi.h>

namespace atspi {

namespace {

std::string take(gchar* text) {
    std::string s = text ? text : "";
    g_free(text);
    return s;
}

bool hasState(_AtspiAccessible* acc, AtspiStateType state) {
    AtspiStateSet* set = atspi_accessible_get_state_set(acc);
    if (!set) return false;
    const bool has = atspi_state_set_contains(set, state);
    g_object_unref(set);
    return has;
}

}  // namespace

Node::Node(_AtspiAccessible* acc) {
    if (acc) acc_.reset(acc, g_object_unref);
}

std::string Node::role() const { return acc_ ? take(atspi_accessible_get_role_name(acc_.get(), nullptr)) : ""; }
std::string Node::name() const { return acc_ ? take(atspi_accessible_get_name(acc_.get(), nullptr)) : ""; }
bool Node::showing() const { return acc_ && hasState(acc_.get(), ATSPI_STATE_SHOWING); }
bool Node::checked() const { return acc_ && hasState(acc_.get(), ATSPI_STATE_CHECKED); }
bool Node::selected() const { return acc_ && hasState(acc_.get(), ATSPI_STATE_SELECTED); }
bool Node::isDefault() const { return acc_ && hasState(acc_.get(), ATSPI_STATE_IS_DEFAULT); }
bool Node::focused() const { return acc_ && hasState(acc_.get(), ATSPI_STATE_FOCUSED); }
bool Node::focusable() const { return acc_ && hasState(acc_.get(), ATSPI_STATE_FOCUSABLE); }
bool Node::editable() const { return acc_ && hasState(acc_.get(), ATSPI_STATE_EDITABLE); }

std::string Node::text() const {
    AtspiText* text = acc_ ? atspi_accessible_get_text_iface(acc_.get()) : nullptr;
    if (!text) return "";
    std::string s = take(atspi_text_get_text(text, 0, -1, nullptr));
    g_object_unref(text);
    return s;
}

std::string Node::selectedText() const {
    AtspiText* text = acc_ ? atspi_accessible_get_text_iface(acc_.get()) : nullptr;
    if (!text) return "";
    std::string s;
    const int n = atspi_text_get_n_selections(text, nullptr);
    for (int i = 0; i < n; ++i) {
        AtspiRange* range = atspi_text_get_selection(text, i, nullptr);
        if (!range) continue;
        s += take(atspi_text_get_text(text, range->start_offset, range->end_offset, nullptr));
        g_free(range);
    }
    g_object_unref(text);
    return s;
}

bool Node::grabFocus() const {
    AtspiComponent* component = acc_ ? atspi_accessible_get_component_iface(acc_.get()) : nullptr;
    if (!component) return false;
    const bool done = atspi_component_grab_focus(component, nullptr);
    g_object_unref(component);
    return done;
}

std::string Node::description() const { return acc_ ? take(atspi_accessible_get_description(acc_.get(), nullptr)) : ""; }

int Node::indexInParent() const { return acc_ ? atspi_accessible_get_index_in_parent(acc_.get(), nullptr) : -1; }

std::vector<Node> Node::children() const {
    std::vector<Node> out;
    if (!acc_) return out;
    const int n = atspi_accessible_get_child_count(acc_.get(), nullptr);
    for (int i = 0; i < n; ++i) {
        Node child(atspi_accessible_get_child_at_index(acc_.get(), i, nullptr));
        if (child) out.push_back(child);
    }
    return out;
}

std::vector<Node> Node::findAll(const std::function<bool(const Node&)>& test) const {
    std::vector<Node> found;
    for (const Node& child : children()) {
        if (test(child)) found.push_back(child);
        for (const Node& below : child.findAll(test)) found.push_back(below);
    }
    return found;
}

Node Node::find(const std::function<bool(const Node&)>& test) const {
    for (const Node& child : children()) {
        if (test(child)) return child;
        if (Node below = child.find(test)) return below;
    }
    return {};
}

bool Node::act(const std::string& action) const {
    if (!acc_) return false;
    AtspiAction* actions = atspi_accessible_get_action_iface(acc_.get());
    if (!actions) return false;
    bool done = false;
    const int n = atspi_action_get_n_actions(actions, nullptr);
    for (int i = 0; i < n && !done; ++i) {
        if (take(atspi_action_get_action_name(actions, i, nullptr)) == action)
            done = atspi_action_do_action(actions, i, nullptr);
    }
    g_object_unref(actions);
    return done;
}

void Node::uncached() const {
    if (acc_) atspi_accessible_set_cache_mask(acc_.get(), ATSPI_CACHE_NONE);
}

void Events::record(_AtspiEvent* event, void* events) {
    std::string text;
    if (G_VALUE_HOLDS_STRING(&event->any_data) && g_value_get_string(&event->any_data)) text = g_value_get_string(&event->any_data);
    Node source(event->source ? static_cast<AtspiAccessible*>(g_object_ref(event->source)) : nullptr);
    static_cast<std::vector<Event>*>(events)->push_back({event->type ? event->type : "", source, text});
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

Events::Events(const std::string& type) : type_(type) {
    AtspiEventListener* listener = atspi_event_listener_new(record, &seen, nullptr);
    atspi_event_listener_register(listener, type.c_str(), nullptr);
    listener_ = listener;
}

Events::~Events() {
    auto* listener = static_cast<AtspiEventListener*>(listener_);
    atspi_event_listener_deregister(listener, type_.c_str(), nullptr);
    g_object_unref(listener);
}

bool connect(std::string& why) {
    if (!g_getenv("DBUS_SESSION_BUS_ADDRESS")) {
        why = "no D-Bus session bus (run the test under dbus-run-session)";
        return false;
    }
    if (atspi_init() < 0) {
        why = "the accessibility bus cannot be reached";
        return false;
    }
    // A sanitized program on a busy machine can take seconds to answer; libatspi's own
    // 0.8 s would take that for no answer (a press not made, a control not found).
    atspi_set_timeout(30000, 60000);
    // Asking for the desktop starts the bus and its registry if they are not running.
    AtspiAccessible* desktop = atspi_get_desktop(0);
    GError* error = nullptr;
    if (desktop) atspi_accessible_get_child_count(desktop, &error);
    if (!desktop || error) {
        why = std::string("the accessibility registry does not answer") + (error ? std::string(": ") + error->message : "");
        if (error) g_error_free(error);
        if (desktop) g_object_unref(desktop);
        return false;
    }
    g_object_unref(desktop);
    return true;
}

Node application(const std::string& name) {
    AtspiAccessible* desktop = atspi_get_desktop(0);
    if (!desktop) return {};
    Node found;
    const int n = atspi_accessible_get_child_count(desktop, nullptr);
    for (int i = 0; i < n && !found; ++i) {
        Node app(atspi_accessible_get_child_at_index(desktop, i, nullptr));
        if (app && app.name() == name) found = app;
    }
    g_object_unref(desktop);
    return found;
}

void pump() {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
}

}  // namespace atspi
