// Loads the message catalogues of the user's locale into the two message maps.
#ifndef MESSAGES_CATALOGUE_LOADER_H_
#define MESSAGES_CATALOGUE_LOADER_H_

#include <string>

// Fills the local map from cons_<tag>.nls, cons_<ll>.nls and cons.nls in the resource
// directory beside the program, and the base map from cons.nls, for the user's locale.
// Returns 0 when at least one of the three could be read, and acquires the console
// output handle; otherwise writes the reason to standard error and returns 1.
int LoadMessageCatalogue();

// The same for a given catalogue directory and locale tag.
int LoadMessageCatalogueFrom(const std::string& directory, const std::string& tag);

// The locale tag ("en_US") of the user's default locale.
std::string GetUserLocaleTag();

#endif  // MESSAGES_CATALOGUE_LOADER_H_
