#include "json/JsonScript.h"

namespace vantorel {
namespace {

// Starts at -2 because the two methods added at the end are enumerable and
// every for-in loop visits them too.
constexpr const char kCountingFunction[] = "function get__count(c){var i=-2;for(v in c)i++;return i}";

// Creates the global JSON object when missing and opens the function whose
// last statement adds the two methods.
constexpr const char kOpening[] = "var JSON;if(!JSON||typeof JSON!=='object'){JSON={}}(function(){";

// Our JSON for engines without one: toJSON for dates and the wrapper types,
// JSON.stringify and JSON.parse, each defined only where missing. Adjacent
// literals, no line breaks.
constexpr const char kJsonSupport[] =
    R"(var own=Object.prototype.hasOwnProperty,tag=Object.prototype.toString,hex='0123456789abcdef',)"
    R"(escapes={'"':'\\"','\\':'\\\\','\b':'\\b','\f':'\\f','\n':'\\n','\r':'\\r','\t':'\\t'};)"
    R"(function isArray(v){return tag.call(v)==='[object Array]'})"
    R"(function pad(n,w){n=String(n);while(n.length<w)n='0'+n;return n})"
    // Dates as ISO 8601 in UTC; the wrapper objects as their primitive value.
    R"(if(typeof Date.prototype.toJSON!=='function'){)"
    R"(Date.prototype.toJSON=function(){return isFinite(this.valueOf())?)"
    R"(pad(this.getUTCFullYear(),4)+'-'+pad(this.getUTCMonth()+1,2)+'-'+pad(this.getUTCDate(),2)+)"
    R"('T'+pad(this.getUTCHours(),2)+':'+pad(this.getUTCMinutes(),2)+':'+pad(this.getUTCSeconds(),2)+)"
    R"('.'+pad(this.getUTCMilliseconds(),3)+'Z':null};)"
    R"(String.prototype.toJSON=Number.prototype.toJSON=Boolean.prototype.toJSON=function(){return this.valueOf()}})"
    // Strings: quotes, backslashes and control characters escaped, and the
    // line and paragraph separators too, so the text stays valid script.
    R"(function quote(s){var r='"',i=0,b,c,k;while(i<s.length){b=i;)"
    R"(while(i<s.length){k=s.charCodeAt(i);if(k<32||k===34||k===92||(k>=127&&k<160)||k===8232||k===8233)break;i++})"
    R"(r+=s.slice(b,i);if(i<s.length){c=s.charAt(i);k=s.charCodeAt(i);)"
    R"(r+=own.call(escapes,c)?escapes[c]:'\\u'+hex.charAt(k>>12)+hex.charAt(k>>8&15)+hex.charAt(k>>4&15)+hex.charAt(k&15);i++}})"
    R"(return r+'"'})"
    R"(if(typeof JSON.stringify!=='function'){JSON.stringify=function(value,replacer,space){)"
    R"(var gap='',indent='',open=[],names,i;)"
    R"(if(typeof space==='number'){for(i=0;i<Math.min(10,space);i++)gap+=' '}else if(typeof space==='string'){gap=space.slice(0,10)})"
    R"(if(replacer&&typeof replacer!=='function'){if(!isArray(replacer))throw new TypeError('JSON.stringify: bad replacer');)"
    R"(names=[];for(i=0;i<replacer.length;i++){if(typeof replacer[i]==='string'||typeof replacer[i]==='number')names.push(String(replacer[i]))}})"
    R"(function wrap(parts,first,last,outer){if(!parts.length)return first+last;)"
    R"(return gap?first+'\n'+indent+parts.join(',\n'+indent)+'\n'+outer+last:first+parts.join(',')+last})"
    R"(function str(key,holder){var v=holder[key],outer=indent,parts=[],keys,i,t,s;)"
    R"(if(v&&typeof v==='object'&&typeof v.toJSON==='function')v=v.toJSON(key);)"
    R"(if(typeof replacer==='function')v=replacer.call(holder,key,v);)"
    R"(if(v&&typeof v==='object'){t=tag.call(v);if(t==='[object Number]')v=Number(v);)"
    R"(else if(t==='[object String]')v=String(v);else if(t==='[object Boolean]')v=v.valueOf()})"
    R"(if(typeof v==='string')return quote(v);if(typeof v==='number')return isFinite(v)?String(v):'null';)"
    R"(if(typeof v==='boolean')return String(v);if(typeof v!=='object')return undefined;if(v===null)return 'null';)"
    R"(for(i=0;i<open.length;i++){if(open[i]===v)throw new TypeError('JSON.stringify: cyclic value')})"
    R"(open.push(v);indent+=gap;)"
    R"(if(isArray(v)){for(i=0;i<v.length;i++)parts.push(str(i,v)||'null');s=wrap(parts,'[',']',outer)})"
    R"(else{keys=names;if(!keys){keys=[];for(i in v){if(own.call(v,i))keys.push(i)}})"
    R"(for(i=0;i<keys.length;i++){t=str(keys[i],v);if(t!==undefined)parts.push(quote(keys[i])+(gap?': ':':')+t)})"
    R"(s=wrap(parts,'{','}',outer)})"
    R"(open.pop();indent=outer;return s})"
    R"(return str('',{'':value})}})"
    // A strict reader: exactly the JSON grammar, nothing evaluated.
    R"(if(typeof JSON.parse!=='function'){JSON.parse=function(source,reviver){)"
    R"(var s=String(source),at=0,unescapes={'"':'"','\\':'\\','/':'/',b:'\b',f:'\f',n:'\n',r:'\r',t:'\t'};)"
    R"(function fail(what){throw new SyntaxError('JSON.parse: '+what+' at '+at)})"
    R"(function skip(){while(at<s.length&&' \t\n\r'.indexOf(s.charAt(at))>=0)at++})"
    R"(function word(w,v){if(s.substr(at,w.length)!==w)fail('unexpected text');at+=w.length;return v})"
    R"(function digits(){var b=at;while(at<s.length&&s.charAt(at)>='0'&&s.charAt(at)<='9')at++;if(at===b)fail('digit expected')})"
    R"(function number(){var b=at;if(s.charAt(at)==='-')at++;if(s.charAt(at)==='0')at++;else digits();)"
    R"(if(s.charAt(at)==='.'){at++;digits()}if(s.charAt(at)==='e'||s.charAt(at)==='E'){at++;)"
    R"(if(s.charAt(at)==='+'||s.charAt(at)==='-')at++;digits()}return Number(s.slice(b,at))})"
    R"(function string(){var r='',b,c,h;at++;for(;;){b=at;)"
    R"(while(at<s.length){c=s.charAt(at);if(c==='"'||c==='\\'||c<' ')break;at++}r+=s.slice(b,at);)"
    R"(if(at>=s.length)fail('unterminated string');c=s.charAt(at++);if(c==='"')return r;if(c!=='\\')fail('control character in string');)"
    R"(c=s.charAt(at++);if(c==='u'){h=s.substr(at,4);if(!/^[0-9a-fA-F]{4}$/.test(h))fail('bad escape');r+=String.fromCharCode(parseInt(h,16));at+=4})"
    R"(else if(own.call(unescapes,c))r+=unescapes[c];else fail('bad escape')}})"
    R"(function put(o,k,v){if(k==='__proto__'&&Object.defineProperty)Object.defineProperty(o,k,{value:v,writable:true,enumerable:true,configurable:true});else o[k]=v})"
    R"(function value(){var c,o,k;skip();c=s.charAt(at);)"
    R"(if(c==='{'){at++;o={};skip();if(s.charAt(at)==='}'){at++;return o}for(;;){skip();if(s.charAt(at)!=='"')fail('name expected');)"
    R"(k=string();skip();word(':');put(o,k,value());skip();c=s.charAt(at++);if(c==='}')return o;if(c!==',')fail('comma expected')}})"
    R"(if(c==='['){at++;o=[];skip();if(s.charAt(at)===']'){at++;return o}for(;;){o.push(value());skip();c=s.charAt(at++);)"
    R"(if(c===']')return o;if(c!==',')fail('comma expected')}})"
    R"(if(c==='"')return string();if(c==='-'||(c>='0'&&c<='9'))return number();)"
    R"(if(c==='t')return word('true',true);if(c==='f')return word('false',false);if(c==='n')return word('null',null);)"
    R"(fail('unexpected text')})"
    R"(function walk(holder,key){var v=holder[key],k,r;if(v&&typeof v==='object'){for(k in v){if(own.call(v,k)){r=walk(v,k);)"
    R"(if(r===undefined)delete v[k];else v[k]=r}}}return reviver.call(holder,key,v)})"
    R"(var result=value();skip();if(at<s.length)fail('unexpected text');)"
    R"(return typeof reviver==='function'?walk({'':result},''):result}})";

// The support goes in as a string that is compiled only when something is
// missing: with the engine's own JSON present, compiling it in every new
// engine cost most of the time a reply takes to evaluate.
constexpr const char kWhenMissing[] =
    "if(typeof Date.prototype.toJSON!=='function'||typeof JSON.stringify!=='function'||"
    "typeof JSON.parse!=='function'){eval(";

// The last statement of the function above; it closes the function and calls it.
constexpr const char kObjectMethods[] =
    "if(!Object.prototype.toJSONString){Object.prototype.toJSONString=function(filter){return "
    "JSON.stringify(this,filter)};Object.prototype.parseJSON=function(filter){return "
    "JSON.parse(this,filter)}}";

}  // namespace

Text ScriptLiteral(const Text& code) {
  Text literal = "'";
  for (char c : code) {
    if (c == '\n') {
      literal += "\\n";
    } else if (c == '\r') {
      literal += "\\r";
    } else {
      if (c == '\\' || c == '\'') literal += '\\';
      literal += c;
    }
  }
  return literal + "'";
}

const Text& JsonScript() {
  static const Text script = Text(kCountingFunction) + kOpening + kWhenMissing +
                             ScriptLiteral(kJsonSupport) + ")}" + kObjectMethods + "}());";
  return script;
}

}  // namespace vantorel
