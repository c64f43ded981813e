// The demo: an order-entry form with two Morvex controls over the bundled
// sample data (data/places.sql, made into an SQLite file the first time).
//
//   pendrel-demo [--png DIR] [--script FILE] [--db DB] [--rows N] [--scale N]
//
// With a display the form opens in a window a person uses; without one, or
// with --png, the form is used with injected input and pictures of it are
// written (Runs.h). Every event the controls raise is printed as it comes.
#include <exception>
#include <iostream>

#include "Options.h"
#include "OrderForm.h"
#include "Runs.h"
#include "platform/present/Presenter.h"
#include "platform/vb/Error.h"

#ifndef PENDREL_SOURCE_DIR
#define PENDREL_SOURCE_DIR "."
#endif

namespace {

int run(const demo::Options& options)
{
    const std::filesystem::path source(PENDREL_SOURCE_DIR);
    const bool live = !options.png && present::Presenter::display_available();
    if (live)
        std::cout << std::unitbuf;
    const std::string connection = demo::connection_string(options, source);
    std::cout << "Pendrel demo\n"
              << "  database:      " << connection << '\n'
              << "  row source:    " << demo::k_row_source << '\n';
    demo::OrderForm form(source / "data" / "frmDemo.frm", connection);
    if (live)
        return demo::run_live(form, options);
    if (!options.png) {
        std::cout << "  no display:    writing pictures to " << options.folder.string()
                  << "; for the window, run with a display (or under xvfb-run)\n";
    }
    return demo::run_headless(form, options);
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(demo::parse_options(argc, argv));
    } catch (const vb::Error& e) {
        std::cerr << "pendrel-demo: error " << e.number() << ": " << e.description() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "pendrel-demo: " << e.what() << '\n';
    }
    return 1;
}
