#pragma once
// A person at a live desktop, for code that waits for one (a modal message
// box): while the object lives the thread has an input wait, each call of
// which does the next step (injecting input as a person's devices would) and
// delivers it; after the last step the input ends.
//
//   Person person({[] { Person::click(host::vbCancel); }});
//   EXPECT_EQ(host::MsgBox("Sure?", host::vbOKCancel), host::vbCancel);

#include <functional>
#include <vector>

#include "platform/vb/Types.h"

namespace pendrel::test {

class Person {
public:
    using Step = std::function<void()>;
    explicit Person(std::vector<Step> steps);
    Person(const Person&) = delete;
    Person& operator=(const Person&) = delete;
    ~Person();

    // Steps that answer the innermost open box: a press and release on the
    // button that gives `answer`, and a key pressed and released.
    static void click(vb::Integer answer);
    static void press(int vk);

    // How many steps were taken.
    [[nodiscard]] std::size_t taken() const { return m_next; }

private:
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
};

} // namespace pendrel::test
