#pragma once
// Views set the single handlers of the models they show and must take them back when they
// go, without removing a handler someone else set in the meantime.  Hook stores the handler
// together with its owner; Unhook clears the event only while it still holds that owner's.
//
//     vx::Hook(client->OnRCM, this, [this] { DoRCM(); });
//     ...
//     vx::Unhook(client->OnRCM, this);   // in the destructor

#include <functional>
#include <utility>

namespace vx {

template <typename Sig>
struct OwnedHandler;

template <typename R, typename... A>
struct OwnedHandler<R(A...)> {
    const void* Owner;
    std::function<R(A...)> Call;
    R operator()(A... args) const { return Call(std::forward<A>(args)...); }
};

template <typename R, typename... A, typename Fn>
void Hook(std::function<R(A...)>& event, const void* owner, Fn&& fn)
{
    event = OwnedHandler<R(A...)>{owner, std::function<R(A...)>(std::forward<Fn>(fn))};
}

template <typename R, typename... A>
bool Hooked(const std::function<R(A...)>& event, const void* owner)
{
    const auto* h = event.template target<OwnedHandler<R(A...)>>();
    return h && h->Owner == owner;
}

template <typename R, typename... A>
void Unhook(std::function<R(A...)>& event, const void* owner)
{
    if (Hooked(event, owner))
        event = nullptr;
}

} // namespace vx
