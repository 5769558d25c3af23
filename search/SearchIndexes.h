// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Frame;

// The trigram indexes that let a server find the articles holding a text for the Search dialog.
// A database brought up to date while it held many articles has none: making them would have
// held up its opening for minutes.
namespace SearchIndexes
{

// Once after a start: when the role in use could build the indexes its server database lacks,
// asks whether to build them now and does so with the progress window `dlgBuildSearchIndexes`,
// which may cancel it. A cancelled or failed build is reported; the database is then as it was.
// A file, or a role that does not own the articles, is never asked.
void offer(Frame& frame);

} // namespace SearchIndexes
