#pragma once

#include <QtGlobal>
#include <initializer_list>

// A set of at most 16 members of an enumeration whose values are the
// ordinals 0..15; bit n of the stored word is set when member n is present.
template <typename E> class TSmallSet
{
public:
    constexpr TSmallSet() = default;
    constexpr TSmallSet(std::initializer_list<E> members)
    {
        for (E m : members)
            insert(m);
    }

    constexpr bool contains(E m) const { return (m_bits & bit(m)) != 0; }
    constexpr void insert(E m) { m_bits = quint16(m_bits | bit(m)); }
    constexpr void remove(E m) { m_bits = quint16(m_bits & ~bit(m)); }
    constexpr bool isEmpty() const { return m_bits == 0; }
    constexpr quint16 toWord() const { return m_bits; }
    static constexpr TSmallSet fromWord(quint16 w)
    {
        TSmallSet s;
        s.m_bits = w;
        return s;
    }
    friend constexpr bool operator==(TSmallSet a, TSmallSet b) { return a.m_bits == b.m_bits; }

private:
    static constexpr quint16 bit(E m) { return quint16(1u << static_cast<unsigned>(m)); }
    quint16 m_bits = 0;
};

template <typename E> constexpr quint16 SetToWord(TSmallSet<E> s)
{
    return s.toWord();
}

template <typename E> constexpr TSmallSet<E> WordToSet(quint16 w)
{
    return TSmallSet<E>::fromWord(w);
}
