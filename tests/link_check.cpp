// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Only a program can show an undefined reference: the library under check brings the rest.
int main() {
    return 0;
}
