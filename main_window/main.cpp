#include <iostream>

int main() {
    std::cout << "Quintara: le finestre non sono ancora pronte; per ora c'è solo il motore.\n";
    return 0;
}
