// Another add-on in the host's process, as ATL-style windows of a plug-in
// would be: a CBT hook of the host's own thread, installed after the
// launcher's and so called before it, gives the next IM window a procedure
// of its own before the hook library subclasses that window.  The procedure
// reports the messages a test asks about and passes every message on to the
// procedure it replaced on that window.
#pragma once

namespace testhost {

// Takes the next `AIM_IMessage` window this thread creates; false when the
// hook could not be installed.
bool SubclassNextImWindow();

}  // namespace testhost
