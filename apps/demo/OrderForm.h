#pragma once
// The demo's order-entry form: where from (cboPlace) and where to
// (cboDestination), two Morvex controls loaded from data/frmDemo.frm; a
// plain text box for a reference; an OK button that sums the order up in a
// message box; and an event pane that lists every event the controls raise,
// with its arguments, as it comes (Paint, which comes with every repaint,
// only on standard output). Every line of the pane is printed too.
//
// The display is set to the form's size first: the form covers it, and its
// work area is the whole of it.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FormParts.h"
#include "platform/host/Events.h"
#include "platform/win/Types.h"

namespace controls {
class CommandButton;
class TextBox;
} // namespace controls
namespace host {
class Form;
class Site;
} // namespace host
namespace pendrel {
class Morvex;
} // namespace pendrel

namespace demo {

inline constexpr int k_display_width = 880;
inline constexpr int k_display_height = 560;

class OrderForm {
public:
    // Loads the form and binds both controls to the connection's places.
    OrderForm(const std::filesystem::path& form_file, const std::string& connection);
    OrderForm(const OrderForm&) = delete;
    OrderForm& operator=(const OrderForm&) = delete;
    ~OrderForm();

    [[nodiscard]] pendrel::Morvex& place() const;
    [[nodiscard]] pendrel::Morvex& destination() const;
    [[nodiscard]] host::Site& site(std::string_view name) const;
    [[nodiscard]] EventPane& pane() const { return *m_pane; }

    // The screen point a script names: a part of the form ("cboPlace",
    // "cboPlace.button", "txtReference", "cmdOK", ...), "list.rowN" (row N
    // of the open list, from 0), "box.OK" (a button of the open message
    // box); nothing for an unknown name or a part not shown.
    [[nodiscard]] std::optional<win::POINT> point_of(std::string_view name) const;
    // The fixed parts and their points.
    [[nodiscard]] std::vector<std::pair<std::string, win::POINT>> named_points() const;

private:
    void add_parts();
    void log_events(const std::string& name);
    void order();

    std::unique_ptr<host::Form> m_form;
    std::unique_ptr<controls::TextBox> m_reference;
    std::unique_ptr<controls::CommandButton> m_ok;
    std::unique_ptr<EventPane> m_pane;
    std::vector<host::Subscription> m_subscriptions;
};

// The row source both controls show.
inline constexpr std::string_view k_row_source
    = "SELECT id, name, code, population, surveyed FROM places ORDER BY name";

} // namespace demo
