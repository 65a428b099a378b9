#pragma once
// The filter kinds CreateFilter can make.

// Registers the maker of every filter kind; called once at start-up.
void RegisterFilterKinds();
