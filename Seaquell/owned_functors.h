#pragma once

#include <cstddef>

#include "vantle/core/functor_factory.h"

namespace cm {

// A method a window offers to scripts under a name of its own.
template <class Owner>
struct NamedAction {
    const char* name;
    void (Owner::*action)();
};

// Registers each action of owner under its name and keeps what was registered in held, so that
// WithdrawOwnedFunctors can later take back exactly those entries.
template <class Owner, std::size_t N>
void RegisterOwnedFunctors(Owner* owner, const NamedAction<Owner> (&actions)[N],
                           core::ptr<core::Functor> (&held)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        held[i] = core::ptr<core::Functor>(new core::ObjectFunctor<Owner>(owner, actions[i].action));
        core::FunctorFactory::instance()->Register(actions[i].name, held[i]);
    }
}

// A later owner may hold the names by now; only the entries still ours go.
template <class Owner, std::size_t N>
void WithdrawOwnedFunctors(const NamedAction<Owner> (&actions)[N],
                           const core::ptr<core::Functor> (&held)[N]) {
    if (!core::FunctorFactory::exists()) return;
    for (std::size_t i = 0; i < N; ++i)
        core::FunctorFactory::instance()->Unregister(actions[i].name, held[i]);
}

}  // namespace cm
