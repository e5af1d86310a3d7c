// A condition on the window tree for the until command: terms that one window must all
// meet. FIELD=VALUE terms compare the window's dump fields (id, class, text exactly;
// row, item and content look for VALUE among the strings of the window's content: under
// "rows", under "items", or anywhere). Bare words test its state: visible, hidden,
// enabled, disabled, focus.
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace platform::device::automation {

class WindowQuery {
  public:
    // Nothing, with the reason in `error`, for an empty query or an unknown term.
    static std::optional<WindowQuery> Parse(const std::vector<std::string>& terms,
                                            std::string& error);

    // Whether some window of a tree (WindowTreeJson's form) meets every term.
    bool MatchesAnyWindow(const nlohmann::json& tree) const;

    // Whether a term looks into the windows' content (row, item, content), so the tree
    // it is matched against must carry it.
    bool NeedsContent() const;

  private:
    struct Term {
        std::string field;
        std::string value;  // empty for a state word
    };

    bool Matches(const nlohmann::json& window) const;
    static bool TermHolds(const Term& term, const nlohmann::json& window);

    std::vector<Term> terms_;
};

}  // namespace platform::device::automation
