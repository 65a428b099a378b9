#pragma once
// A widget's signal, or a control's event, handed to a window's handler so that no exception leaves the
// handler: a failure is shown as the program's notice (RunGuarded) and the window goes on. The handler
// is a member function of the window or any callable; it takes the leading arguments of the signal it
// needs (none, or all of them, or the first few).

#include "shell/FGlobalMessages.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace guarded_detail {

template <typename Handler, typename Given, std::size_t... I>
constexpr bool takes(std::index_sequence<I...>)
{
    return std::is_invocable_v<const Handler &, std::tuple_element_t<I, Given>...>;
}

// Calls Handler with the first N of the given arguments, the most it takes.
template <std::size_t N, typename Handler, typename Given>
void invokeLeading(const Handler &handler, Given &given)
{
    if constexpr (takes<Handler, Given>(std::make_index_sequence<N>{}))
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            std::invoke(handler, std::get<I>(given)...);
        }(std::make_index_sequence<N>{});
    else if constexpr (N > 0)
        invokeLeading<N - 1>(handler, given);
    else
        static_assert(N > 0, "the handler takes none of the arguments it is given");
}

template <typename Window, typename Handler>
auto bindHandler(Window *window, Handler handler)
{
    if constexpr (std::is_member_function_pointer_v<Handler>)
        return [window, handler](auto &&...args) -> decltype(std::invoke(handler, window, args...)) {
            return std::invoke(handler, window, args...);
        };
    else
        return handler;
}

} // namespace guarded_detail

// The handler wrapped so that no exception leaves it: for a control's event (OnChange, OnDblClick...).
template <typename Handler>
auto guardedCall(Handler handler)
{
    return [handler = std::move(handler)](auto &&...args) -> void {
        auto given = std::tie(args...);
        RunGuarded([&] { guarded_detail::invokeLeading<sizeof...(args)>(handler, given); });
    };
}

// The same for a member function of Window.
template <typename Window, typename Handler>
auto guardedCall(Window *window, Handler handler)
{
    return guardedCall(guarded_detail::bindHandler(window, handler));
}

// Connects Sender's Signal to Window's Handler, guarded; the connection ends with Window.
template <typename Sender, typename Signal, typename Window, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, Window *window, Handler handler)
{
    return QObject::connect(sender, signal, window, guardedCall(window, std::move(handler)));
}
