// Handlers that forward to an operation of a form. Element handlers and
// command callbacks are plain function pointers; a form installs, on itself
// and on its controls, handlers that find the form and call one of its
// operations:
//
//     SetOnLoad(ToForm<&FormAbout::Build>);
//     okButton->SetCommand(ToForm<&FormAbout::OkClicked>);
//
// The operation gets the element first when its first parameter is an
// element, then the handler's last arguments, as many as it takes: the load
// handler's tag and a link cell's click point are left out. The form is the
// element's own (Application::GetForm), or the one Find gives for the
// element; without a form the handler does nothing and answers false.
#pragma once
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "app/Application.h"
#include "app/Form.h"

template <auto Method, auto Find = nullptr>
class FormHandler {
    template <class M>
    struct Signature;
    template <class F, class R, class... P>
    struct Signature<R (F::*)(P...)> {
        using Form = F;
        using First = std::remove_pointer_t<std::tuple_element_t<0, std::tuple<P..., void>>>;
        static constexpr size_t kArity = sizeof...(P);
    };
    using S = Signature<decltype(Method)>;
    using F = typename S::Form;
    static constexpr bool kTakesElement = std::is_base_of_v<GUIElement, typename S::First>;
    static constexpr size_t kPassed = S::kArity - (kTakesElement ? 1 : 0);

    static F* FormOf(GUIElement* element) {
        if constexpr (std::is_same_v<decltype(Find), std::nullptr_t>)
            return static_cast<F*>(Application::GetForm(element));
        else
            return Find(element);
    }

    template <class R, class E, class Args, size_t... I>
    static R Pass(F* form, E* element, const Args& args, std::index_sequence<I...>) {
        constexpr size_t skipped = std::tuple_size_v<Args> - sizeof...(I);
        if constexpr (kTakesElement)
            return (form->*Method)(element, std::get<skipped + I>(args)...);
        else
            return (form->*Method)(std::get<skipped + I>(args)...);
    }

    template <class R, class E, class... A>
    static R Call(E* element, A... args) {
        static_assert(kPassed <= sizeof...(A), "the operation takes more than the handler gives");
        F* form = FormOf(element);
        if (form == nullptr) return R();
        return Pass<R>(form, element, std::tuple<A...>(args...), std::make_index_sequence<kPassed>());
    }

    template <class R, class E, class... A>
    using Handler = R (*)(E*, A...);

public:
    // Becomes whichever handler type it is given to.
    template <class R, class E, class... A>
    constexpr operator Handler<R, E, A...>() const {
        return &Call<R, E, A...>;
    }
};

template <auto Method>
constexpr FormHandler<Method> ToForm{};
