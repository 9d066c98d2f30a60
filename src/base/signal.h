// Tiny observer primitives shared by the form models: a signal and an observable property.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace orva {

// A list of callbacks. Connections live as long as the signal; forms and their windows share a
// lifetime, so there is no disconnect.
template <class... Args>
class Signal {
  public:
    using Slot = std::function<void(Args...)>;

    void connect(Slot slot) { slots_.push_back(std::move(slot)); }
    void emit(Args... args) const {
        for (const auto& slot : slots_)
            slot(args...);
    }

  private:
    std::vector<Slot> slots_;
};

// A value that tells its observers when it changes. Setting the same value again is silent.
template <class T>
class Prop {
  public:
    Prop() = default;
    explicit Prop(T initial) : value_(std::move(initial)) {}
    Prop(const Prop&) = delete;
    Prop& operator=(const Prop&) = delete;

    const T& get() const { return value_; }
    void set(T value) {
        if (value_ == value) return;
        value_ = std::move(value);
        changed.emit(value_);
    }

    Signal<const T&> changed;

  private:
    T value_{};
};

}  // namespace orva
