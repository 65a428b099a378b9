#pragma once
// A variable set for a scope and given back its old value when the scope ends, however it is left.

template <typename T> class TScopedSet {
public:
    TScopedSet(T &Variable, T Value) : FVariable(Variable), FOld(Variable) { FVariable = Value; }
    ~TScopedSet() { FVariable = FOld; }
    TScopedSet(const TScopedSet &) = delete;
    TScopedSet &operator=(const TScopedSet &) = delete;

private:
    T &FVariable;
    T FOld;
};
