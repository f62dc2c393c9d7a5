#pragma once

#include <utility>

namespace Vl::Tavix3::UI {

// A typed access path to one value: read and write through callables.
template <typename T>
struct PropertyWrapperBase
{
    virtual T get() = 0;
    virtual void set(const T& value) = 0;
    virtual void set(T& value) = 0;
    virtual ~PropertyWrapperBase() = default;
};

template <typename T, typename Getter, typename Setter>
struct PropertyWrapper : PropertyWrapperBase<T>
{
    PropertyWrapper(Getter getter, Setter setter)
        : m_getter(std::move(getter))
        , m_setter(std::move(setter))
    {
    }

    T get() override { return m_getter(); }
    void set(const T& value) override { m_setter(value); }
    void set(T& value) override { m_setter(value); }

private:
    Getter m_getter;
    Setter m_setter;
};

} // namespace Vl::Tavix3::UI
