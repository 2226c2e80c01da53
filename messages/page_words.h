// The words the pages write of their own, one table per language, so that a
// team that reads English gets English pages. The renderers take the table
// of the run's language (app/page_styles.cpp); the Japanese one is word for
// word what the pages have always said. Words inside HTML are plain text
// unless their name says otherwise (CSS strings, script strings).
#pragma once

#include <string_view>

#include "messages/ui_language.h"

namespace tarnwick {

struct PageWords {
  using W = std::u16string_view;

  // Shared by every style.
  W htmlLanguage;  // the lang attribute of review pages
  W status[13];    // the summary texts, indexed by FileStatus
  W ignoreBlanks;  // the comparison options when on
  W ignoreCase;
  W listSeparator;   // between the options, and between search settings
  W outlineSection;  // the block and item outline
  W searchAll;       // the conditions under AND
  W searchAny;       // the conditions under OR
  W contains;        // after a search string
  W containsNot;
  W diffStampTitle;  // before the start date and time
  W searchStampTitle;
  W cancelledStamp;  // before the date and time a cancel stopped the run

  // The classic summary page.
  W classicFolder1;
  W classicFolder2;
  W classicFolder;
  W classicPatterns1;  // the file name patterns, when the sides' differ
  W classicPatterns2;
  W classicOptions;
  W fileName;
  W result;

  // The review frame and its style and script.
  W navLabel;
  W previous;
  W next;
  W keysMoveToo;
  W openAll;
  W cssSide1Only;  // a CSS string: after a one-sided listing's name
  W cssSide2Only;
  W cssUnchanged;  // a CSS string: before a fold's line count
  W cssNotMatching;
  W cssLines;         // a CSS string: after a fold's line count
  W scriptCountOpen;  // a script string: around the number of changed objects
  W scriptCountClose;
  W markOld;  // CSS strings: the side labels of a single-line value
  W markNew;
  W markChanged;  // a CSS string: what a changed object's mark says aloud

  // The review comparison page.
  W compareTitle;  // before the page's heading in the title
  W compareHeading;
  W source1;
  W source2;
  W objectsAdded;
  W objectsRemoved;
  W objectsChanged;
  W objectsMoved;
  W linesAdded;
  W linesRemoved;
  W changes;
  W ignoredDifferences;
  W optionsLabel;  // before the comparison options that are on
  W side1Only;
  W side2Only;
  W changedPart1;  // the changed part of a line, in two halves
  W changedPart2;
  W optionIgnored;
  W ignoredMark;
  W ruleIgnored;
  W movedLine;
  W unchangedLines;
  W changedObjects;
  W onlyOrderDiffers;
  W noDifference;
  W outlineSame;  // after the outline's name when it is unchanged
  W addedSuffix;  // after the path of an object one side lacks
  W removedSuffix;
  W comparedObjects;  // the heading of the compared nodes' own properties
  W unchangedProperties;
  W order;           // an object's place among its siblings
  W ordinalSuffix;   // after a place's number
  W objectsHeading;  // what an object comparison's page is named

  // The review search page.
  W searchTitle;
  W searchHeading;
  W report;
  W settings;
  W noCase;
  W foundOnly;
  W notMatchingProperties;
  W matchingProperties;  // the count of matching properties
  W matchingLines;       // the count of matching lines, after the first count
  W lineMeetsCondition;
  W searchString;
  W notMatchingLines;
  W matchingObjects;
  W nothingMatches;

  // The text views.
  W emptyValue;     // a value that is there but empty
  W comparedNote;   // the path of the compared nodes' own properties
  W ignoredNote;    // before an ignored difference
  W multiLineNote;  // for a multi-line value on one line
  W noValue;        // a side without the property
  W movedOpen;      // around an object's old and new place
  W movedClose;

  // The Markdown view (a pull-request comment).
  W mdHeading;  // after "### "
  W mdPairs;    // the pairs compared, then the counts below
  W mdDiffering;
  W mdSame;
  W mdNoDifference;
  W mdTableHead;      // the table's head row
  W mdMorePairsOpen;  // around the number of rows left out of the table
  W mdMorePairsClose;
  W mdChangesCutOpen;  // around the number of a pair's changes left out
  W mdChangesCutClose;
  W mdLimitOpen;  // the note on what the bound left out, in four parts
  W mdLimitChars;
  W mdPairsDetails;
  W mdChangesLeftOut;
  W mdAddedMark;  // before what one side lacks
  W mdRemovedMark;

  // The review summary page.
  W compareSummary;
  W searchSummary;
  W folder1;
  W folder2;
  W folder;
  W patterns1;  // the file name patterns
  W patterns2;
  W patterns;
  W filesCount;  // "files <b>n</b>" then the part done
  W doneOpen;
  W doneClose;
  W matchCount;
  W differentCount;
  W sameCount;
  W oneSidedCount;
  W setAsideCount;
  W readErrorCount;
  W headMatchingProperties;
  W headMatchingLines;
  W headObjects;  // over the object counts
  W headLines;    // over the line counts
  W headAdded;
  W headRemoved;
  W headChanged;
};

// The Japanese words, the pages' own.
const PageWords& JapanesePageWords();
// The English words.
const PageWords& EnglishPageWords();
const PageWords& PageWordsFor(UiLanguage language);

}  // namespace tarnwick
