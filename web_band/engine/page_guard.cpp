// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/page_guard.h"

namespace quintara::web_band {
namespace {

// What it uses is taken before the page's scripts run, so that they cannot change it. A download
// starts when a link marked so is activated: by a click that reaches the window (the user's, or a
// script's on a link in the page), or by click() or dispatchEvent() on a link anywhere. A frame
// would give the page a window of its own, where this script runs only later: frames are taken
// out as soon as they are put in, by a script (DOMNodeInserted, at once) or by the parser (seen
// before the page's next script runs).
constexpr char kGuard[] = R"((function () {
    'use strict';
    delete window.RTCPeerConnection;
    delete window.webkitRTCPeerConnection;
    const apply = Reflect.apply;
    const getter = function (type, name) {
        return Object.getOwnPropertyDescriptor(type.prototype, name).get;
    };
    const localName = getter(Element, 'localName');
    const target = getter(Event, 'target');
    const addedNodes = getter(MutationRecord, 'addedNodes');
    const listLength = getter(NodeList, 'length');
    const item = NodeList.prototype.item;
    const hasAttribute = Element.prototype.hasAttribute;
    const removeAttribute = Element.prototype.removeAttribute;
    const remove = Element.prototype.remove;
    const querySelectorAll = Element.prototype.querySelectorAll;
    const composedPath = Event.prototype.composedPath;
    const click = HTMLElement.prototype.click;
    const dispatchEvent = EventTarget.prototype.dispatchEvent;
    const nameOf = function (node) {
        try {
            return apply(localName, node, []);
        } catch (notAnElement) {
            return '';
        }
    };
    const noDownload = function (node) {
        const name = nameOf(node);
        if ((name === 'a' || name === 'area') && apply(hasAttribute, node, ['download'])) {
            apply(removeAttribute, node, ['download']);
        }
    };
    const noFrames = function (node) {
        const name = nameOf(node);
        if (name === '') {
            return;
        }
        const inside = apply(querySelectorAll, node, ['iframe, frame, object, embed']);
        for (let at = apply(listLength, inside, []) - 1; at >= 0; --at) {
            apply(remove, apply(item, inside, [at]), []);
        }
        if (name === 'iframe' || name === 'frame' || name === 'object' || name === 'embed') {
            apply(remove, node, []);
        }
    };
    window.addEventListener('click', function (event) {
        const path = apply(composedPath, event, []);
        for (let at = 0; at < path.length; ++at) {
            noDownload(path[at]);
        }
    }, true);
    HTMLElement.prototype.click = function () {
        noDownload(this);
        return apply(click, this, []);
    };
    EventTarget.prototype.dispatchEvent = function (event) {
        noDownload(this);
        return apply(dispatchEvent, this, [event]);
    };
    window.addEventListener('DOMNodeInserted', function (event) {
        noFrames(apply(target, event, []));
    }, true);
    new MutationObserver(function (changes) {
        for (let change = 0; change < changes.length; ++change) {
            const added = apply(addedNodes, changes[change], []);
            for (let at = apply(listLength, added, []) - 1; at >= 0; --at) {
                noFrames(apply(item, added, [at]));
            }
        }
    }).observe(document, {childList: true, subtree: true});
})();)";

}  // namespace

QWebEngineScript pageGuard() {
    QWebEngineScript guard;
    guard.setName(QStringLiteral("quintara-page-guard"));
    guard.setSourceCode(QString::fromLatin1(kGuard));
    guard.setInjectionPoint(QWebEngineScript::DocumentCreation);
    guard.setWorldId(QWebEngineScript::MainWorld);
    guard.setRunsOnSubFrames(true);
    return guard;
}

}  // namespace quintara::web_band
